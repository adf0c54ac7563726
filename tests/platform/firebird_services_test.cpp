#include "platform/firebird_services.h"
#include "datastore/schema.h"
#include "platform/database_error.h"
#include "tests/support/books_database.h"
#include "tests/support/test_connection.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

const fb::Account kAccount{"SYSDBA", "plumbtwig"};

class FirebirdServicesTest : public ::testing::Test, protected BooksDatabase {
protected:
    FirebirdServicesTest() {
        // A row in every table the seed rows leave empty.
        execute("INSERT INTO CONFIG_4 (MY_NAME, EX_SPOUSE_NAME) VALUES ('PAT', 'LEE')");
        execute(
            "INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, SS_AMT, MEMO) VALUES (1.5, "
            "'SPOUSAL SUPPORT', '2004-02-01', 1234.56, 'Signed by LEE')");
        execute("INSERT INTO JSEARCH_4 (PK, POS_TITLE, REASON_NO_SUBMIT) VALUES (2, 'DBA', 'X')");
        execute("INSERT INTO JS_EDIT_4 (CHANGE_FROM, CHANGE_TO) VALUES ('DBA', 'DBA')");
        execute("INSERT INTO STATS_JT_4 (ORDER_, CATEGORY, COUNT_) VALUES (1, 'DBA', 1)");
        dataModule.close();
    }

    // Every table's rows, sorted, each row's values joined.
    QStringList contents(const QString& database) {
        QStringList all;
        TestConnection connection(database);
        for (const schema::Table& table : schema::tables()) {
            QStringList rows = connection.rows("SELECT * FROM " + table.name);
            rows.sort();
            all << table.name + ": " + QString::number(rows.size()) << rows;
        }
        return all;
    }

    QString folder = workspace.documents();
};

// A backup restored into a new file holds every row of every table, and
// the service's progress lines arrive one by one.
TEST_F(FirebirdServicesTest, ABackupRestoresToTheSameRows) {
    const QString backupFile = folder + "/books_1.gdk";
    QStringList backupLines, restoreLines;
    fb::backup(path, backupFile, kAccount, [&](const QString& line) { backupLines << line; });
    ASSERT_TRUE(QFile::exists(backupFile));
    EXPECT_GT(backupLines.size(), 10);
    EXPECT_TRUE(backupLines.filter("QUORVEL_4").size() > 0) << backupLines.join('\n').toStdString();

    const QString restored = folder + "/restored.gdb";
    fb::restore(backupFile, restored, kAccount, {4096, 3000},
                [&](const QString& line) { restoreLines << line; });
    EXPECT_GT(restoreLines.size(), 10);
    EXPECT_EQ(contents(restored), contents(path));
}

// Firebird's own gbak restores the backup the program makes.
TEST_F(FirebirdServicesTest, GbakRestoresOurBackup) {
    const QString backupFile = folder + "/books_2.gdk";
    fb::backup(path, backupFile, kAccount, [](const QString&) {});
    const QString restored = folder + "/by_gbak.gdb";
    QProcess gbak;
    gbak.start("gbak", {"-c", "-user", "SYSDBA", "-password", "plumbtwig", backupFile, restored});
    ASSERT_TRUE(gbak.waitForFinished(60000));
    ASSERT_EQ(gbak.exitCode(), 0) << gbak.readAllStandardError().toStdString();
    EXPECT_EQ(contents(restored), contents(path));
}

// A restore onto a file that exists fails and leaves its rows as they were
// (the engine's attempt may touch the header, so bytes are not compared);
// a backup of a file that is no database fails with the service's message.
TEST_F(FirebirdServicesTest, FailuresAreThrownAndChangeNothing) {
    const QString backupFile = folder + "/books_3.gdk";
    fb::backup(path, backupFile, kAccount, [](const QString&) {});
    const QStringList before = contents(path);
    EXPECT_THROW(fb::restore(backupFile, path, kAccount, {}, [](const QString&) {}), DatabaseError);
    EXPECT_EQ(contents(path), before);

    EXPECT_THROW(
        fb::backup(folder + "/none.gdb", folder + "/none.gdk", kAccount, [](const QString&) {}),
        DatabaseError);
}

// A backup cut short (a full disk, a copy broken off) must not restore as
// a database holding part of the rows.
TEST_F(FirebirdServicesTest, ABackupCutShortRestoresNothing) {
    const QString backupFile = folder + "/books_4.gdk";
    fb::backup(path, backupFile, kAccount, [](const QString&) {});
    QFile backup(backupFile);
    ASSERT_TRUE(backup.resize(backup.size() * 2 / 3));
    const QString restored = folder + "/cut.gdb";
    try {
        fb::restore(backupFile, restored, kAccount, {}, [](const QString&) {});
        FAIL() << "a backup cut short was restored";
    } catch (const DatabaseError& error) {
        EXPECT_TRUE(error.message().contains("did not complete")) << error.what();
    }
    EXPECT_FALSE(QFile::exists(restored));
}

}  // namespace
