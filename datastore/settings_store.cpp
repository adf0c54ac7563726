#include "datastore/settings_store.h"

#include "platform/kbx.h"
#include "platform/whole_file.h"

namespace {

const QString kProgramKey = QStringLiteral("KELBRIDGE_LABS\\QUORVEL4");

QString databaseKey(const QString& name) {
    return kProgramKey + QLatin1Char('\\') + name;
}

void write(const QString& hive, const QString& key, const QString& name, const QString& text) {
    if (!kbx::_kbx_Registry_Write_SZ(hive, key, name, text))
        throw whole_file::WriteError(
            QStringLiteral("The settings file %1/KELBRIDGE_LABS/QUORVEL4.conf cannot be written; "
                           "%2 was not recorded.")
                .arg(hive, name));
}

}  // namespace

SettingsStore::SettingsStore(const QString& hive) : hive_(hive) {}

SettingsStore SettingsStore::forCurrentUser() {
    return SettingsStore(kbx::current_user_hive());
}

CurrentDatabase SettingsStore::currentDatabase() const {
    CurrentDatabase current;
    current.name =
        kbx::_kbx_Registry_Read_SZ(hive_, kProgramKey, QStringLiteral("CURRENT_DATABASE"));
    current.path = kbx::_kbx_Registry_Read_SZ(hive_, databaseKey(current.name),
                                              QStringLiteral("PHYSICAL_FILE"));
    if (current.path == QLatin1String("failed"))
        current.path.clear();
    return current;
}

void SettingsStore::recordCurrentDatabase(const CurrentDatabase& database) {
    write(hive_, kProgramKey, QStringLiteral("CURRENT_DATABASE"), database.name);
    write(hive_, databaseKey(database.name), QStringLiteral("PHYSICAL_FILE"), database.path);
}

QString SettingsStore::importedFile(const QString& databaseName, const QString& digest) const {
    return kbx::_kbx_Registry_Read_SZ(
        hive_, databaseKey(databaseName) + QStringLiteral("\\IMPORTED_FILES"), digest);
}

void SettingsStore::recordImportedFile(const QString& databaseName, const QString& digest,
                                       const QString& description) {
    write(hive_, databaseKey(databaseName) + QStringLiteral("\\IMPORTED_FILES"), digest,
          description);
}
