#include "datastore/settings_store.h"

#include "platform/kbx.h"
#include "platform/whole_file.h"

namespace {

const QString kProgramKey = QStringLiteral("KELBRIDGE_LABS\\QUORVEL4");

QString databaseKey(const QString& name) {
    return kProgramKey + QLatin1Char('\\') + name;
}

// Why a folder takes no file: the settings are written by Qt, which keeps
// the system's reason to itself, so a file that is never named is tried.
QString whyNotWritable(const QString& folder) {
    try {
        whole_file::Writer probe(folder + QStringLiteral("/QUORVEL4.conf.probe"),
                                 whole_file::Existing::Replace);
        probe.write(QByteArray(1 << 16, ' '));
    } catch (const whole_file::WriteError& error) {
        return error.systemError() != 0 ? whole_file::systemReason(error.systemError())
                                        : error.message();
    }
    return QStringLiteral("the reason is unknown");
}

void write(const QString& hive, const QString& key, const QString& name, const QString& text) {
    if (kbx::_kbx_Registry_Write_SZ(hive, key, name, text))
        return;
    const QString folder = hive + QStringLiteral("/KELBRIDGE_LABS");
    throw whole_file::WriteError(
        QStringLiteral("The settings file %1/QUORVEL4.conf cannot be written (%2); %3 was not "
                       "recorded.")
            .arg(folder, whyNotWritable(folder), name));
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

QMap<QString, QString> SettingsStore::importedFiles(const QString& databaseName) const {
    return kbx::_kbx_Registry_Read_Values(
        hive_, databaseKey(databaseName) + QStringLiteral("\\IMPORTED_FILES"));
}

void SettingsStore::recordImportedFile(const QString& databaseName, const QString& digest,
                                       const QString& description) {
    write(hive_, databaseKey(databaseName) + QStringLiteral("\\IMPORTED_FILES"), digest,
          description);
}
