#include "datastore/create_database.h"
#include "datastore/schema_upgrade.h"
#include "datastore/scratch_database.h"
#include "platform/database_error.h"
#include "platform/firebird.h"
#include "tests/support/listing.h"
#include "tests/support/test_connection.h"
#include "tests/support/version1_database.h"
#include "tests/support/workspace.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlRecord>

#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList collectLog(const Locations& locations, const QString& name,
                       CreateOutcome expected = CreateOutcome::Created) {
    QStringList log;
    EXPECT_EQ(createDatabase(locations, name, [&](const QString& line) { log.append(line); }),
              expected);
    return log;
}

// The tables, columns, defaults, keys and indexes as Firebird's own isql
// extracts them, without the line naming the file.
QStringList schemaOf(const QString& path) {
    QStringList lines = isql(path, {"-x"}).split('\n', Qt::SkipEmptyParts);
    lines.removeIf([](const QString& line) { return line.startsWith("/* CREATE DATABASE"); });
    return lines;
}

// Every row of every user table in the order of its first column;
// CHAR padding is dropped and a null shows as <null>.
QStringList describeRows(TestConnection& db) {
    QStringList lines;
    for (const QString& table : db.rows("SELECT RDB$RELATION_NAME FROM RDB$RELATIONS WHERE "
                                        "COALESCE(RDB$SYSTEM_FLAG, 0) = 0 ORDER BY 1")) {
        lines.append(table);
        QSqlQuery query("SELECT * FROM " + table + " ORDER BY 1", db.database());
        while (query.next()) {
            QStringList values;
            for (int column = 0; column < query.record().count(); ++column) {
                const QVariant value = query.value(column);
                QString text = value.isNull() ? "<null>" : value.toString();
                while (text.endsWith(' '))
                    text.chop(1);
                values.append(text);
            }
            lines.append("  " + values.join('|'));
        }
    }
    return lines;
}

class CreateDatabaseTest : public ::testing::Test {
protected:
    TestWorkspace workspace;
    Locations locations = workspace.locations();
};

// The tables, indexes and seed rows of the listings, the defaults a bare key
// gives, and the settings another client sees.
TEST_F(CreateDatabaseTest, NewDatabaseHoldsExactlyWhatTheListingsSay) {
    collectLog(locations, "books");
    const QString path = locations.databasePath("books");
    const QString report = isql(path, {}, "SHOW SQL DIALECT;\nSHOW DATABASE;\n");
    for (const char* setting :
         {"database SQL dialect is: 1", "PAGE_SIZE 4096", "Forced Writes are ON"})
        EXPECT_TRUE(report.contains(setting)) << report.toStdString();
    expectListing(schemaOf(path), "datastore/expected_schema.txt");
    TestConnection db(path);
    db.execute("INSERT INTO QUORVEL_4 (PK) VALUES (45000.5)");
    db.execute("INSERT INTO JSEARCH_4 (PK) VALUES (45000.5)");
    expectListing(describeRows(db), "datastore/expected_rows.txt");
}

TEST_F(CreateDatabaseTest, TargetThatCannotBeDeletedStopsWithALineSayingSo) {
    // A folder in the database's place cannot be removed as a file.
    ASSERT_TRUE(QDir().mkpath(locations.databasePath("stuck") + "/inside"));
    const QStringList log = collectLog(locations, "stuck", CreateOutcome::NotDeleted);
    EXPECT_TRUE(log.value(4).startsWith("Unable to delete the existing database")) << log.size();
    EXPECT_TRUE(QFileInfo(locations.databasePath("stuck")).isDir());
}

// firstdb, a copy of a pristine database, is new each time, and one held
// open is never replaced under its holder.
TEST_F(CreateDatabaseTest, ScratchDatabaseIsNewEachTimeAndNeverReplacedWhileHeld) {
    ScratchDatabase firstdb(locations);
    firstdb.recreate();
    const QString path = locations.firstdbPath();
    {
        TestConnection db(path);
        db.execute("INSERT INTO CITY_4 (CITY) VALUES ('AUSTIN')");
        EXPECT_THROW(firstdb.recreate(), DatabaseError) << "replaced while held";
        EXPECT_EQ(db.rows("SELECT COUNT(*) FROM CITY_4").value(0).toInt(), 1);
    }
    firstdb.recreate();
    expectListing(schemaOf(path), "datastore/expected_schema.txt");
    TestConnection db(path);
    EXPECT_EQ(db.rows("SELECT COUNT(*) FROM CITY_4").value(0).toInt(), 0);
    EXPECT_EQ(db.rows("SELECT COUNT(*) FROM CARRIER_4").value(0).toInt(), 23);
}

// The pristine database outlives the program: a later start copies it
// without building, and one damaged on the disk is built again rather
// than copied into firstdb.
TEST_F(CreateDatabaseTest, PristineFirstdbIsKeptBetweenStartsAndRebuiltWhenDamaged) {
    ScratchDatabase(locations).recreate();
    ScratchDatabase nextStart(locations);
    const QString pristine = nextStart.pristinePath();
    const QDateTime built = QFileInfo(pristine).lastModified();
    nextStart.recreate();
    EXPECT_EQ(QFileInfo(pristine).lastModified(), built) << "built again at the next start";

    QFile file(pristine);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.write(QByteArray(4096, '\xff'));
    file.close();
    ScratchDatabase(locations).recreate();
    expectListing(schemaOf(locations.firstdbPath()), "datastore/expected_schema.txt");
    TestConnection db(locations.firstdbPath());
    EXPECT_EQ(db.rows("SELECT COUNT(*) FROM CARRIER_4").value(0).toInt(), 23);
}

// A pristine file that is a pipe is built again, never waited on; a writer
// opened and closed after the wait ends a start that waited.
TEST_F(CreateDatabaseTest, PristineFirstdbThatIsAPipeIsBuiltAgainWithoutWaiting) {
    const QString pristine = ScratchDatabase(locations).pristinePath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(pristine).path()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pristine).constData(), 0600), 0);
    std::future<void> start =
        std::async(std::launch::async, [&] { ScratchDatabase(locations).recreate(); });
    if (start.wait_for(std::chrono::seconds(20)) == std::future_status::timeout) {
        ADD_FAILURE() << "the start waited on the pipe";
        ::close(::open(QFile::encodeName(pristine).constData(), O_WRONLY | O_NONBLOCK));
    }
    start.get();
    EXPECT_TRUE(QFileInfo(pristine).isFile());
    expectListing(schemaOf(locations.firstdbPath()), "datastore/expected_schema.txt");
}

// A database of version 1, as every one made before versions were kept,
// gets exactly the tables of a new one, keeps its rows and takes in the
// imported files the settings remember.
TEST_F(CreateDatabaseTest, Version1DatabaseUpgradedHasTheTablesOfANewOne) {
    ASSERT_TRUE(locations.ensureFolder(locations.databaseFolder()));
    const QString path = locations.databasePath("old");
    makeVersion1Database(path);
    TestConnection(path).execute("INSERT INTO CITY_4 (CITY) VALUES ('AUSTIN')");
    const QString scratch = workspace.documents();
    const schema_upgrade::StoredVersion before = schema_upgrade::storedVersion(path, scratch);
    EXPECT_EQ(before.version, 1);

    schema_upgrade::upgrade(
        path, before,
        {{"ab12", "/mail/a, b.txt, 3 records, 2025-01-02 03:04"}, {"cd34", "written by hand"}});
    const schema_upgrade::StoredVersion after = schema_upgrade::storedVersion(path, scratch);
    EXPECT_EQ(after.version, schema::currentVersion());
    EXPECT_FALSE(schema_upgrade::isBehind(after));
    expectListing(schemaOf(path), "datastore/expected_schema.txt");
    TestConnection db(path);
    EXPECT_EQ(db.rows("SELECT CITY FROM CITY_4"), QStringList{"AUSTIN"});
    EXPECT_EQ(db.rows("SELECT DIGEST, KIND, FILE_NAME, RECORDS FROM IMPORTED_FILE_4 ORDER BY 1"),
              QStringList({"ab12||/mail/a, b.txt|3", "cd34||written by hand|0"}));
    EXPECT_EQ(db.rows("SELECT IMPORTED_AT FROM IMPORTED_FILE_4 WHERE DIGEST = 'ab12'"),
              QStringList{"2025-01-02T03:04:00.000"});
}

// A database of version 3 gains the obligations and records version 4 in
// one step; its payments, their history and, where the step runs again,
// the obligations stay as they were.
TEST_F(CreateDatabaseTest, Version3DatabaseGainsTheObligationsAndKeepsItsRows) {
    ASSERT_TRUE(locations.ensureFolder(locations.databaseFolder()));
    const QString path = locations.databasePath("three");
    makeVersion1Database(path);
    TestConnection(path).execute("INSERT INTO QUORVEL_4 (PK, SS_AMT) VALUES (45000.5, 1234.56)");
    const std::vector<schema::UpgradeStep> toVersion3(schema::upgradeSteps().begin(),
                                                      schema::upgradeSteps().begin() + 2);
    schema_upgrade::upgrade(path, {1, true}, {}, toVersion3);
    const QString scratch = workspace.documents();
    const schema_upgrade::StoredVersion three = schema_upgrade::storedVersion(path, scratch);
    ASSERT_EQ(three.version, 3);
    ASSERT_TRUE(three.settled);
    const QStringList history = TestConnection(path).rows("SELECT ID, HASH FROM HISTORY_4");
    ASSERT_FALSE(history.isEmpty());

    schema_upgrade::upgrade(path, three, {});
    EXPECT_EQ(schema_upgrade::storedVersion(path, scratch).version, schema::currentVersion());
    expectListing(schemaOf(path), "datastore/expected_schema.txt");
    EXPECT_EQ(TestConnection(path).rows("SELECT PK, SS_AMT FROM QUORVEL_4"),
              QStringList{"45000.5|1234.56"});
    EXPECT_EQ(TestConnection(path).rows("SELECT ID, HASH FROM HISTORY_4"), history);

    // Run again over a version set back from outside, the step keeps the
    // obligations the table holds.
    TestConnection(path).execute(
        "INSERT INTO OBLIGATION_4 (PK, KIND, AMOUNT, FREQUENCY, FIRST_DUE) "
        "VALUES (1, 'SS', 1400, 'MO', '2024-01-01')");
    TestConnection(path).execute("UPDATE SCHEMA_VERSION_4 SET VERSION_ = 3");
    schema_upgrade::upgrade(path, schema_upgrade::storedVersion(path, scratch), {});
    EXPECT_EQ(schema_upgrade::storedVersion(path, scratch).version, schema::currentVersion());
    EXPECT_EQ(TestConnection(path).rows("SELECT PK, AMOUNT FROM OBLIGATION_4"),
              QStringList{"1|1400"});
}

// A database of version 4 gains the work-search rules, empty so that the
// defaults hold, and records version 5; run again over a version set back
// from outside, the step keeps the rules stored meanwhile.
TEST_F(CreateDatabaseTest, Version4DatabaseGainsTheWorkSearchRulesAndKeepsThem) {
    ASSERT_TRUE(locations.ensureFolder(locations.databaseFolder()));
    const QString path = locations.databasePath("four");
    makeVersion1Database(path);
    const std::vector<schema::UpgradeStep> toVersion4(schema::upgradeSteps().begin(),
                                                      schema::upgradeSteps().begin() + 3);
    schema_upgrade::upgrade(path, {1, true}, {}, toVersion4);
    const QString scratch = workspace.documents();
    const schema_upgrade::StoredVersion four = schema_upgrade::storedVersion(path, scratch);
    ASSERT_EQ(four.version, 4);
    const QString rulesTable =
        "SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'WORK_SEARCH_RULES_4'";
    ASSERT_EQ(TestConnection(path).rows(rulesTable), QStringList{"0"});

    schema_upgrade::upgrade(path, four, {});
    EXPECT_EQ(schema_upgrade::storedVersion(path, scratch).version, 5);
    expectListing(schemaOf(path), "datastore/expected_schema.txt");
    EXPECT_EQ(TestConnection(path).rows("SELECT COUNT(*) FROM WORK_SEARCH_RULES_4"),
              QStringList{"0"});

    TestConnection(path).execute(
        "INSERT INTO WORK_SEARCH_RULES_4 (WEEK_START, REQUIRED) VALUES (1, 5)");
    TestConnection(path).execute("UPDATE SCHEMA_VERSION_4 SET VERSION_ = 4");
    schema_upgrade::upgrade(path, schema_upgrade::storedVersion(path, scratch), {});
    EXPECT_EQ(schema_upgrade::storedVersion(path, scratch).version, 5);
    EXPECT_EQ(TestConnection(path).rows("SELECT * FROM WORK_SEARCH_RULES_4"),
              QStringList{"1|5|FALSE|TRUE|TRUE"});
}

// A run ended between the step to version 2 and the taking in of the
// remembered imports: the next one takes them in.
TEST_F(CreateDatabaseTest, RememberedImportsAreTakenInWhenARunEndedBeforeThem) {
    ASSERT_TRUE(locations.ensureFolder(locations.databaseFolder()));
    const QString path = locations.databasePath("old");
    makeVersion1Database(path);
    fb::Attachment::attach(path, databaseAccount())
        .executeInOneTransaction(schema::upgradeSteps().front().statements);
    const schema_upgrade::StoredVersion ended =
        schema_upgrade::storedVersion(path, workspace.documents());
    EXPECT_EQ(ended.version, 2);
    ASSERT_TRUE(schema_upgrade::isBehind(ended));

    schema_upgrade::upgrade(path, ended, {{"ab12", "/mail/a.txt, 3 records, 2025-01-02 03:04"}});
    TestConnection db(path);
    EXPECT_EQ(db.rows("SELECT DIGEST FROM IMPORTED_FILE_4"), QStringList{"ab12"});
    EXPECT_EQ(db.rows("SELECT VERSION_ FROM SCHEMA_VERSION_4"),
              QStringList{QString::number(schema::currentVersion())});
}

}  // namespace
