#include "datastore/create_database.h"

#include "datastore/locations.h"
#include "datastore/schema.h"
#include "datastore/seed_data.h"
#include "platform/database_error.h"
#include "platform/firebird.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace {

const QString kRule = QString(48, QLatin1Char('-'));

void logHeading(const LogLine& log, const QString& heading) {
    log(kRule);
    log(heading);
    log(kRule);
}

void createTables(fb::Attachment& database, const LogLine& log) {
    logHeading(log, QStringLiteral("Creating tables"));
    for (const schema::Table& table : schema::tables()) {
        log(QStringLiteral("Attempting to create table ") + table.name);
        database.executeInOwnTransaction(schema::createTableSql(table));
    }
}

void createIndexes(fb::Attachment& database, const LogLine& log) {
    logHeading(log, QStringLiteral("Creating indexes"));
    for (const schema::Index& index : schema::indexes()) {
        log(index.logLine);
        database.executeInOwnTransaction(schema::createIndexSql(index));
    }
}

void loadSeedRows(fb::Attachment& database, const LogLine& log) {
    for (const seed::SeedTable& table : seed::seedTables()) {
        log(table.logLine);
        for (const QString& statement : table.insertStatements)
            database.executeInOwnTransaction(statement);
    }
}

void recordVersion(fb::Attachment& database) {
    database.executeInOwnTransaction(QStringLiteral("INSERT INTO %1 (VERSION_) VALUES (%2)")
                                         .arg(schema::kVersionTable)
                                         .arg(schema::currentVersion()));
}

// The file is built with forced writes off, which spares a disk flush per
// statement; it is then switched to forced writes and flushed once, so the
// database the user keeps writes synchronously like any other. This also
// runs when a step failed, so no file is ever left without forced writes.
void makeDurable(const QString& path) {
    fb::Attachment::setForcedWrites(path, databaseAccount(), true);
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        ::fsync(file.handle());
}

void buildDatabase(const QString& path, const LogLine& log) {
    fb::CreateOptions options{databaseAccount()};
    options.forcedWrites = false;
    options.pageBuffers = kDatabasePageBuffers;
    fb::Attachment database = fb::Attachment::create(path, options);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    try {
        createTables(database, log);
        createIndexes(database, log);
        loadSeedRows(database, log);
        recordVersion(database);
        database.detach();
    } catch (...) {
        try {
            database.detach();
            makeDurable(path);
        } catch (const DatabaseError&) {
            // The first failure is the one to report.
        }
        throw;
    }
    makeDurable(path);
}

}  // namespace

bool removeDatabaseFile(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists())
        return true;
    if (!file.isFile())
        return false;
    return fb::Attachment::drop(path, databaseAccount()) || QFile::remove(path);
}

CreateOutcome createDatabase(const Locations& locations, const QString& name, const LogLine& log) {
    log(kRule);
    log(QStringLiteral("Checking for database, and creating if necessary"));
    log(QStringLiteral("If destination database exits, I will delete it."));
    log(kRule);

    const QString folder = locations.databaseFolder();
    if (!locations.ensureFolder(folder)) {
        log(QStringLiteral("Unable to make the database folder ") + folder);
        return CreateOutcome::FolderNotMade;
    }
    const QString path = locations.databasePath(name);
    if (!removeDatabaseFile(path)) {
        log(QStringLiteral("Unable to delete the existing database ") + path +
            QStringLiteral(", nothing was created."));
        return CreateOutcome::NotDeleted;
    }
    buildDatabase(path, log);
    return CreateOutcome::Created;
}
