#include "datastore/schema_upgrade.h"

#include "datastore/imported_file_table.h"
#include "datastore/locations.h"
#include "platform/firebird.h"
#include "platform/firebird_rows.h"
#include "platform/sql_statement.h"
#include "platform/transaction.h"

#include <QFile>
#include <QSqlError>
#include <QTemporaryDir>

namespace schema_upgrade {

namespace {

const QString kTakingConnection = QStringLiteral("schema_upgrade");

// One attachment only, each one costing more than the rest of the reading:
// the version table is read only where it exists.
StoredVersion versionOf(const QString& path) {
    const QString sql =
        QStringLiteral(
            "EXECUTE BLOCK RETURNS (HAS_TABLE INTEGER, ROWS_ INTEGER, VERSION_ INTEGER) AS BEGIN "
            "HAS_TABLE = 0; ROWS_ = 0; VERSION_ = 1; "
            "IF (EXISTS (SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = '%1')) THEN BEGIN "
            "HAS_TABLE = 1; "
            "EXECUTE STATEMENT 'SELECT COUNT(*), MAX(VERSION_) FROM %1' INTO :ROWS_, :VERSION_; "
            "END SUSPEND; END")
            .arg(schema::kVersionTable);
    StoredVersion stored;
    fb::forEachRow(path, databaseAccount(), sql, {}, [&](const fb::Row& row) {
        if (row.number(0) == 0)
            stored = {1, true};
        else if (row.number(1) == 0)
            stored = {2, false};
        else
            stored = {int(row.number(2)), true};
    });
    return stored;
}

void runStep(const QString& path, const schema::UpgradeStep& step) {
    QStringList statements = step.statements;
    // Version 2 makes the table of versions, which its own transaction
    // cannot write into yet.
    if (step.from >= 2)
        statements << QStringLiteral("DELETE FROM %1").arg(schema::kVersionTable)
                   << QStringLiteral("INSERT INTO %1 (VERSION_) VALUES (%2)")
                          .arg(schema::kVersionTable)
                          .arg(step.to());
    try {
        fb::Attachment database = fb::Attachment::attach(path, databaseAccount());
        database.executeInOneTransaction(statements);
        database.detach();
    } catch (const DatabaseError& error) {
        throw StepFailed(QStringLiteral("The step from version %1 to version %2 failed and was "
                                        "undone: %3")
                             .arg(step.from)
                             .arg(step.to())
                             .arg(error.message()));
    }
}

imported_file_table::Row rowOf(const QString& digest, const QString& description) {
    const std::optional<imported_file_table::Row> row =
        imported_file_table::fromDescription(digest, description);
    if (row)
        return *row;
    return {digest, QDateTime::currentDateTime(), QString(), description, 0};
}

void writeImports(const QSqlDatabase& connection, const RememberedImports& imports) {
    Transaction transaction(connection);
    for (auto remembered = imports.cbegin(); remembered != imports.cend(); ++remembered)
        imported_file_table::insert(connection, rowOf(remembered.key(), remembered.value()));
    executed(connection,
             QStringLiteral("INSERT INTO %1 (VERSION_) VALUES (2)").arg(schema::kVersionTable));
    transaction.commit();
}

// The imported files the settings remember, and with them the record of
// version 2, in one transaction: taken once, or not at all.
void takeImports(const QString& path, const RememberedImports& imports) {
    QString failure;
    {
        QSqlDatabase connection =
            QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), kTakingConnection);
        const fb::Account account = databaseAccount();
        connection.setDatabaseName(path);
        connection.setUserName(account.user);
        connection.setPassword(account.password);
        try {
            if (!connection.open())
                throw DatabaseError(connection.lastError().text());
            writeImports(connection, imports);
        } catch (const DatabaseError& error) {
            failure = error.message();
        }
        connection.close();
    }
    QSqlDatabase::removeDatabase(kTakingConnection);
    if (!failure.isEmpty())
        throw StepFailed(QStringLiteral("The step to version 2 failed when it took in the "
                                        "imported files the settings remember: %1")
                             .arg(failure));
}

}  // namespace

StoredVersion storedVersion(const QString& path, const QString& scratchFolder) {
    const QTemporaryDir folder(scratchFolder + QStringLiteral("/version-XXXXXX"));
    const QString copy = folder.filePath(QStringLiteral("copy.gdb"));
    // Without room for a copy (a nearly full disk) the database itself is
    // read: its header changes, its rows never do, and a database that
    // opened before still opens.
    const bool copied = folder.isValid() && QFile::copy(path, copy);
    if (copied)
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    try {
        return versionOf(copied ? copy : path);
    } catch (const DatabaseError& error) {
        throw DatabaseError(
            QStringLiteral("Unable to open the database %1: %2").arg(path, error.message()));
    }
}

bool isBehind(const StoredVersion& stored, int latest) {
    return stored.version < latest || !stored.importsTaken;
}

void refuseNewer(const QString& path, const StoredVersion& stored, int latest) {
    if (stored.version > latest)
        throw NewerDatabase(
            QStringLiteral("The database %1 is of version %2, made by a newer Quorvel4; this "
                           "program knows versions up to %3.\nIt was not opened and is left as "
                           "it is.")
                .arg(path)
                .arg(stored.version)
                .arg(latest));
}

void upgrade(const QString& path, StoredVersion stored, const RememberedImports& imports,
             const std::vector<schema::UpgradeStep>& steps) {
    const auto settle = [&] {
        if (stored.version >= 2 && !stored.importsTaken) {
            takeImports(path, imports);
            stored.importsTaken = true;
        }
    };
    settle();
    for (const schema::UpgradeStep& step : steps) {
        if (step.from < stored.version)
            continue;
        runStep(path, step);
        stored = {step.to(), step.to() != 2};
        settle();
    }
}

}  // namespace schema_upgrade
