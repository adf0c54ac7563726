#include "datastore/schema_upgrade.h"

#include "datastore/imported_file_table.h"
#include "datastore/locations.h"
#include "datastore/own_connection.h"
#include "datastore/record_history.h"
#include "datastore/table_names.h"
#include "platform/firebird.h"
#include "platform/firebird_rows.h"
#include "platform/sql_statement.h"
#include "platform/transaction.h"

#include <QFile>
#include <QTemporaryDir>

namespace schema_upgrade {

namespace {

// One attachment only, each one costing more than the rest of the reading:
// the version table is read only where it exists.
StoredVersion versionOf(const QString& path) {
    const QString sql =
        QStringLiteral(
            "EXECUTE BLOCK RETURNS (HAS_TABLE INTEGER, ROWS_ INTEGER, VERSION_ INTEGER, "
            "HAS_HISTORY INTEGER) AS BEGIN "
            "HAS_TABLE = 0; ROWS_ = 0; VERSION_ = 1; HAS_HISTORY = 0; "
            "IF (EXISTS (SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = '%1')) THEN BEGIN "
            "HAS_TABLE = 1; "
            "EXECUTE STATEMENT 'SELECT COUNT(*), MAX(VERSION_) FROM %1' INTO :ROWS_, :VERSION_; "
            "END "
            "IF (EXISTS (SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = '%2')) THEN "
            "HAS_HISTORY = 1; "
            "SUSPEND; END")
            .arg(schema::kVersionTable, tables::history);
    StoredVersion stored;
    fb::forEachRow(path, databaseAccount(), sql, {}, [&](const fb::Row& row) {
        if (row.number(0) == 0)
            stored = {1, true};
        else if (row.number(1) == 0)
            stored = {2, false};
        else if (row.number(2) == 2 && row.number(3) == 1)
            stored = {3, false};
        else
            stored = {int(row.number(2)), true};
    });
    return stored;
}

// Steps 1 -> 2 and 2 -> 3 write rows into tables they made, which their own
// transaction cannot: their version is recorded with those rows.
bool recordsVersionApart(const schema::UpgradeStep& step) {
    return step.to() <= 3;
}

// A run killed while it committed a step that makes tables leaves the pages
// of those tables under the next table numbers, their primary key index in
// them, and Firebird refuses every later table with a primary key under
// such a number. A table without an index made and dropped again takes the
// number and frees its pages: one such table for each number left so.
const QString kSpareTable = QStringLiteral("STEP_SPARE_4");

struct LeftPages {
    bool atNextNumber = false;
    bool spareTableKept = false;
};

LeftPages leftPages(const QString& path) {
    const QString sql =
        QStringLiteral(
            "SELECT (SELECT COUNT(*) FROM RDB$PAGES P WHERE P.RDB$RELATION_ID >= "
            "D.RDB$RELATION_ID), (SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = "
            "'%1') FROM RDB$DATABASE D")
            .arg(kSpareTable);
    LeftPages left;
    fb::forEachRow(path, databaseAccount(), sql, {}, [&](const fb::Row& row) {
        left = {row.number(0) > 0, row.number(1) > 0};
    });
    return left;
}

void freeLeftPages(const QString& path) {
    // Each round moves the next table number on by one; a step makes a few
    // tables at most.
    LeftPages left = leftPages(path);
    for (int round = 0; round < 8 && (left.atNextNumber || left.spareTableKept); ++round) {
        fb::Attachment database = fb::Attachment::attach(path, databaseAccount());
        if (!left.spareTableKept)
            database.executeInOwnTransaction(
                QStringLiteral("CREATE TABLE %1 (SPARE INTEGER)").arg(kSpareTable));
        database.executeInOwnTransaction(QStringLiteral("DROP TABLE %1").arg(kSpareTable));
        database.detach();
        left = leftPages(path);
    }
}

void runStep(const QString& path, const schema::UpgradeStep& step) {
    QStringList statements = step.statements;
    if (!recordsVersionApart(step))
        statements << QStringLiteral("DELETE FROM %1").arg(schema::kVersionTable)
                   << QStringLiteral("INSERT INTO %1 (VERSION_) VALUES (%2)")
                          .arg(schema::kVersionTable)
                          .arg(step.to());
    try {
        freeLeftPages(path);
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

void recordVersion(const QSqlDatabase& connection, int version) {
    executed(connection, QStringLiteral("DELETE FROM %1").arg(schema::kVersionTable));
    executed(connection, QStringLiteral("INSERT INTO %1 (VERSION_) VALUES (%2)")
                             .arg(schema::kVersionTable)
                             .arg(version));
}

void writeImports(const QSqlDatabase& connection, const RememberedImports& imports) {
    for (auto remembered = imports.cbegin(); remembered != imports.cend(); ++remembered)
        imported_file_table::insert(connection, rowOf(remembered.key(), remembered.value()));
    recordVersion(connection, 2);
}

bool historyHasEntries(const QSqlDatabase& connection) {
    return executed(connection, QStringLiteral("SELECT FIRST 1 1 FROM %1").arg(tables::history))
        .next();
}

// The baseline and the version are written together, so a history that has
// entries had its baseline: a version of 2 beside it was set back from
// outside, and a second baseline would record values changed since as
// present at the upgrade.
void writeHistoryBaseline(const QSqlDatabase& connection) {
    if (!historyHasEntries(connection))
        record_history::appendBaseline(connection, QStringLiteral("UPGRADE TO VERSION 3"));
    recordVersion(connection, 3);
}

// The rows a step writes after it made its tables, and with them the record
// of its version, in one transaction: written once, or not at all.
template <typename Work>
void settleStep(const QString& path, const QString& what, Work&& work) {
    try {
        onOwnConnection(path, [&](const QSqlDatabase& connection) {
            inTransaction(connection, [&] { work(connection); });
        });
    } catch (const DatabaseError& error) {
        throw StepFailed(what.arg(error.message()));
    }
}

void settle(const QString& path, const StoredVersion& stored, const RememberedImports& imports) {
    if (stored.settled)
        return;
    if (stored.version == 2)
        settleStep(path,
                   QStringLiteral("The step to version 2 failed when it took in the imported "
                                  "files the settings remember: %1"),
                   [&](const QSqlDatabase& connection) { writeImports(connection, imports); });
    else if (stored.version == 3)
        settleStep(path,
                   QStringLiteral("The step to version 3 failed when it wrote the values every "
                                  "payment record holds into the history: %1"),
                   writeHistoryBaseline);
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
    return stored.version < latest || !stored.settled;
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
    settle(path, stored, imports);
    for (const schema::UpgradeStep& step : steps) {
        if (step.from < stored.version)
            continue;
        runStep(path, step);
        stored = {step.to(), !recordsVersionApart(step)};
        settle(path, stored, imports);
    }
}

}  // namespace schema_upgrade
