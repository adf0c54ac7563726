#include "batch/batch_commands.h"
#include "datastore/locations.h"
#include "datastore/settings_store.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("KELBRIDGE_LABS"));
    QCoreApplication::setApplicationName(QStringLiteral("QUORVEL4"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    SettingsStore settings = SettingsStore::forCurrentUser();
    return batch::run(QCoreApplication::arguments().mid(1), Locations::forCurrentUser(), settings,
                      out, err);
}
