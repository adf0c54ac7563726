#pragma once

#include <QMap>
#include <QString>

// The database in use, as remembered in the settings store.
struct CurrentDatabase {
    QString name;
    QString path;
};

// The settings the program keeps between runs: the name of the database in
// use (CURRENT_DATABASE) and, under each name that was ever current, its
// file (PHYSICAL_FILE) and the mail files earlier versions recorded as
// imported into it (IMPORTED_FILES).
// Made once at start-up and handed to whoever needs it. A value that cannot
// be written throws whole_file::WriteError naming the settings file.
class SettingsStore {
public:
    // The settings kept in `hive`, a folder of settings files.
    explicit SettingsStore(const QString& hive);
    // The current user's own settings.
    static SettingsStore forCurrentUser();

    // A path of "failed" reads as absent (empty).
    CurrentDatabase currentDatabase() const;
    void recordCurrentDatabase(const CurrentDatabase& database);

    // The mail files earlier versions recorded as imported into a database,
    // by the SHA-256 of their content (hexadecimal): what was recorded for
    // each. The database itself keeps them now; these are taken into it
    // once, when it is brought up to date.
    QMap<QString, QString> importedFiles(const QString& databaseName) const;
    void recordImportedFile(const QString& databaseName, const QString& digest,
                            const QString& description);

private:
    QString hive_;
};
