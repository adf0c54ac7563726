#include "shell/change_database.h"

#include "forms/dialogs.h"

#include <QFileInfo>

CurrentDatabase databaseOfFile(const QString& chosenPath) {
    return {QFileInfo(chosenPath).completeBaseName().toLower(), chosenPath};
}

std::optional<CurrentDatabase> chooseDatabaseFile(Dialogs& dialogs, QWidget* parent,
                                                  const Locations& locations) {
    const OpenFileRequest request{QStringLiteral("Change Databases"), locations.databaseFolder(),
                                  QStringLiteral("Databases (*.gdb *.GDB)"), QStringLiteral("GDB")};
    const QString chosen = dialogs.openFile(parent, request);
    if (chosen.isEmpty())
        return std::nullopt;
    return databaseOfFile(chosen);
}
