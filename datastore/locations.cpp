#include "datastore/locations.h"

#include "platform/kbx.h"
#include "platform/whole_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

Locations::Locations(const QString& documentsFolder, const QString& homeFolder)
    : documents_(QDir::cleanPath(documentsFolder)), home_(QDir::cleanPath(homeFolder)) {}

Locations Locations::forCurrentUser() {
    return Locations(kbx::_kbx_Get_Special_Folder_Location(QStringLiteral("PERSONAL")));
}

QString Locations::underTree(const QString& relative) const {
    return documents_ + QStringLiteral("/kl-db/intrbase/quorvel4/") + relative;
}

QString Locations::databaseFolder() const {
    return underTree(QStringLiteral("db"));
}
QString Locations::backupFolder() const {
    return underTree(QStringLiteral("db-backups"));
}
QString Locations::restoredFolder() const {
    return underTree(QStringLiteral("db-restored"));
}
QString Locations::zipFolder() const {
    return underTree(QStringLiteral("zip/databases"));
}
QString Locations::programFolder() const {
    return underTree(QString()).chopped(1);
}

QString Locations::temporaryFolder() const {
    return underTree(QStringLiteral("tmp"));
}

QString Locations::reportsFolder() const {
    return underTree(QStringLiteral("reports"));
}

QString Locations::unzipFolder() const {
    return home_ + QStringLiteral("/temp02/restored");
}

bool Locations::isDatabaseName(const QString& name) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9 _-]+$"));
    return plain.match(name).hasMatch();
}

QString Locations::databasePath(const QString& name) const {
    return databaseFolder() + QLatin1Char('/') + name.toLower() + QStringLiteral(".gdb");
}

QString Locations::firstdbPath() const {
    return databasePath(kFirstdb);
}

bool Locations::ensureFolder(const QString& folder) const {
    try {
        whole_file::makeFolders(folder);
        return true;
    } catch (const whole_file::WriteError&) {
        return false;
    }
}

fb::Account databaseAccount() {
    return {QStringLiteral("SYSDBA"), QStringLiteral("plumbtwig")};
}
