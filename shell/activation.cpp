#include "shell/activation.h"

#include "datastore/data_module.h"
#include "forms/dialogs.h"
#include "maintenance/database_upgrade.h"

#include <QFileInfo>

namespace {
const QString kProgramError = QStringLiteral("PROGRAM ERROR");
}

Activation::Activation(const Locations& locations, SettingsStore& settings,
                       TDataModule2& dataModule, Dialogs& dialogs, QWidget* parent)
    : locations_(locations),
      settings_(settings),
      firstdb_(locations),
      dataModule_(dataModule),
      dialogs_(dialogs),
      parent_(parent) {}

CurrentDatabase Activation::settleCurrentDatabase() {
    // firstdb may be the open database: it is never deleted under a live attachment.
    dataModule_.close();
    firstdb_.recreate();

    CurrentDatabase current = settings_.currentDatabase();
    if (current.path.isEmpty())
        current = resetToFirstdb();
    if (!QFileInfo(current.path).isFile()) {
        dialogs_.message(parent_, kProgramError,
                         QStringLiteral("Unable to locate the stored database file, resetting\n"
                                        "to 'firstdb'."),
                         Buttons::Ok);
        current = resetToFirstdb();
    }
    return current;
}

CurrentDatabase Activation::resetToFirstdb() {
    settings_.recordCurrentDatabase({kFirstdb, locations_.firstdbPath()});
    return settings_.currentDatabase();
}

void Activation::openDatabase(const CurrentDatabase& current) {
    if (current.name != kFirstdb && current.path != upgradedPath_)
        bringUpToDate(current);
    dataModule_.open(current.path);
}

// Once a session for each database: a step that failed is not tried again
// (with another backup) each time a form returns.
void Activation::bringUpToDate(const CurrentDatabase& current) {
    const database_upgrade::Outcome outcome = database_upgrade::bringUpToDate(
        locations_, current.path, settings_.importedFiles(current.name));
    upgradedPath_ = current.path;
    if (!outcome.failure.isEmpty())
        dialogs_.message(parent_, QStringLiteral("DATABASE NOT UPGRADED"), outcome.failure,
                         Buttons::Ok);
    if (!outcome.upgraded.isEmpty())
        dialogs_.message(parent_, QStringLiteral("DATABASE UPGRADED"), outcome.upgraded,
                         Buttons::Ok);
}

bool Activation::refuseLiveWork(const CurrentDatabase& current) {
    if (current.name != kFirstdb)
        return false;
    dialogs_.message(parent_, kProgramError,
                     QStringLiteral("You may not use 'firstdb' for live data...\n"
                                    "Create live datafile and/or change to the live\n"
                                    "file.  Until you do so all menu options are diabled"),
                     Buttons::Ok);
    return true;
}
