#include "platform/firebird_services.h"
#include "datastore/schema.h"
#include "platform/database_error.h"
#include "tests/support/books_database.h"
#include "tests/support/files.h"
#include "tests/support/test_connection.h"

#include <QFile>
#include <QFileInfo>

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

// A backup restored into a new file, by the service and by Firebird's own
// gbak, holds every row of every table, and the service's progress lines
// arrive one by one. A restore onto a file that exists fails and leaves its
// rows as they were (the engine's attempt may touch the header, so bytes
// are not compared); a backup of a file that is no database fails, and one
// cut short restores nothing.
TEST_F(FirebirdServicesTest, ABackupRestoresToTheSameRowsAndFailuresChangeNothing) {
    const QString backupFile = folder + "/books.gdk";
    QStringList backupLines, restoreLines;
    fb::backup(path, backupFile, kAccount, [&](const QString& line) { backupLines << line; });
    EXPECT_GT(backupLines.size(), 10);
    EXPECT_TRUE(backupLines.filter("QUORVEL_4").size() > 0) << backupLines.join('\n').toStdString();
    fb::restore(backupFile, folder + "/restored.gdb", kAccount, {4096, 3000},
                [&](const QString& line) { restoreLines << line; });
    EXPECT_GT(restoreLines.size(), 10);
    outputOf("gbak", {"-c", "-user", kAccount.user, "-password", kAccount.password, backupFile,
                      folder + "/by_gbak.gdb"});
    const QStringList rows = contents(path);
    EXPECT_EQ(contents(folder + "/restored.gdb"), rows);
    EXPECT_EQ(contents(folder + "/by_gbak.gdb"), rows);

    EXPECT_THROW(fb::restore(backupFile, path, kAccount, {}, [](const QString&) {}), DatabaseError);
    EXPECT_EQ(contents(path), rows);
    EXPECT_THROW(
        fb::backup(folder + "/none.gdb", folder + "/none.gdk", kAccount, [](const QString&) {}),
        DatabaseError);
    // A backup cut short (a full disk, a copy broken off) restores nothing.
    ASSERT_TRUE(QFile::resize(backupFile, QFileInfo(backupFile).size() * 2 / 3));
    EXPECT_THROW(fb::restore(backupFile, folder + "/cut.gdb", kAccount, {}, [](const QString&) {}),
                 DatabaseError);
    EXPECT_FALSE(QFile::exists(folder + "/cut.gdb"));
}

}  // namespace
