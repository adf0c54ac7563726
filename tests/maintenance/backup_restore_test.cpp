#include "maintenance/backup_restore.h"
#include "tests/support/books_database.h"
#include "tests/support/test_connection.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using namespace backup_restore;

TEST(BackupRestoreNames, StampTheBackupAndRestoreToTheNameBeforeTheFirstUnderscore) {
    const QDateTime moment(QDate(2026, 12, 6), QTime(20, 5, 9));
    EXPECT_EQ(backupFileName("live", moment), "live_2026-12-06-20-05-09.gdk");
    EXPECT_EQ(restoreTargetName("/b/live_2026-12-06-20-05-09.gdk"), "live.gdb");
    EXPECT_EQ(restoreTargetName("/b/my_books_2026-12-06-20-05-09.gdk"), "my_books.gdb");
    EXPECT_EQ(restoreTargetName("/b/my_books_2026.gdk"), "my.gdb");
    // Without "_" the whole base name, not a file named ".gdb".
    EXPECT_EQ(restoreTargetName("/b/live.gdk"), "live.gdb");
}

class BackupRestoreTest : public ::testing::Test, protected BooksDatabase {
protected:
    BackupRestoreTest() {
        execute("INSERT INTO QUORVEL_4 (PK, CATEGORY, SS_AMT) VALUES (1, 'SPOUSAL SUPPORT', 5)");
    }
    Output output{[this](const QString& line) { summary << line; },
                  [this](const QString& line) { progress << line; }};
    QStringList summary;
    QStringList progress;
    Locations locations = workspace.locations();
};

// The live database, open in the data module, is backed up and restored
// beside it; the restore is opened once, and a second restore onto the same
// name is refused with nothing changed.
TEST_F(BackupRestoreTest, BackupRestoresIntoItsOwnFolderAndNeverOverAFile) {
    const QString backup = backupDatabase(locations, path, output);
    EXPECT_TRUE(backup.startsWith(locations.backupFolder() + "/books_"));
    EXPECT_EQ(summary, QStringList({"Backing up: " + path, "Backed up to: " + backup}));
    EXPECT_GT(progress.size(), 10);

    summary.clear();
    EXPECT_TRUE(restoreBackup(locations, backup, output));
    const QString target = locations.restoredFolder() + "/books.gdb";
    EXPECT_EQ(summary,
              QStringList({"Restoring from: " + backup, "Restored to: " + target,
                           "The restored database opens.",
                           "You must manually move it to " + locations.databaseFolder() + "/"}));
    EXPECT_EQ(TestConnection(target).rows("SELECT CATEGORY, SS_AMT FROM QUORVEL_4"),
              QStringList{"SPOUSAL SUPPORT|5"});
    EXPECT_EQ(count("QUORVEL_4"), 1);

    execute("INSERT INTO QUORVEL_4 (PK) VALUES (2)");
    const QString second = backupDatabase(locations, path, output);
    summary.clear();
    EXPECT_FALSE(restoreBackup(locations, second, output));
    EXPECT_TRUE(summary.last().contains(target + " exists already"))
        << summary.last().toStdString();
    EXPECT_EQ(TestConnection(target).rows("SELECT COUNT(*) FROM QUORVEL_4"), QStringList{"1"});
}

TEST_F(BackupRestoreTest, AllDatabasesAreBackedUpEachToItsOwnFile) {
    dataModule.close();  // a file is copied only when nothing holds it
    QFile::copy(path, locations.databasePath("other"));
    const QStringList backups = backupAll(locations, output);
    ASSERT_EQ(backups.size(), 2);
    EXPECT_TRUE(backups[0].contains("/books_"));
    EXPECT_TRUE(backups[1].contains("/other_"));
    EXPECT_EQ(summary.filter("Backing up: ").size(), 2);
    EXPECT_EQ(summary.filter("Backed up to: ").size(), 2);
    EXPECT_EQ(QDir(locations.backupFolder()).entryList({"*.gdk"}, QDir::Files).size(), 2);
}

}  // namespace
