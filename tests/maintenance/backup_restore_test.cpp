#include "maintenance/backup_restore.h"
#include "platform/database_error.h"
#include "platform/kbx.h"
#include "tests/support/books_database.h"
#include "tests/support/error_of.h"
#include "tests/support/file_limits.h"
#include "tests/support/files.h"
#include "tests/support/report_file.h"
#include "tests/support/test_connection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

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
    EXPECT_EQ(restoreTargetName("/b/my_books_2026-12-06-20-05-09-2.gdk"), "my_books.gdb");
}

class BackupRestoreTest : public ::testing::Test, protected BooksDatabase {
protected:
    BackupRestoreTest() {
        execute("INSERT INTO QUORVEL_4 (PK, CATEGORY, SS_AMT) VALUES (1, 'SPOUSAL SUPPORT', 5)");
    }
    Output output{[this](const QString& line) { summary << line; },
                  [this](const QString& line) { progress << line; }};
    QStringList summary, progress;
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
    // The restored database's history says where its records came from.
    EXPECT_EQ(TestConnection(target).rows("SELECT ACTION, SOURCE, CHANGES FROM HISTORY_4"),
              QStringList("RESTORED|RESTORE OF " + QFileInfo(backup).fileName() + "|BACKUP\t\t" +
                          backup + "\nPAYMENT RECORDS\t\t1\nJOB SEARCH RECORDS\t\t0"));
    EXPECT_EQ(count("HISTORY_4"), 0);

    execute("INSERT INTO QUORVEL_4 (PK) VALUES (2)");
    const QString second = backupDatabase(locations, path, output);
    summary.clear();
    EXPECT_FALSE(restoreBackup(locations, second, output));
    EXPECT_TRUE(summary.last().contains(target + " exists already"))
        << summary.last().toStdString();
    EXPECT_EQ(TestConnection(target).rows("SELECT COUNT(*) FROM QUORVEL_4"), QStringList{"1"});
}

// One database that fails, first in the folder, is named; the others are
// backed up all the same.
TEST_F(BackupRestoreTest, AllDatabasesAreBackedUpEachToItsOwnFile) {
    dataModule.close();  // a file is copied only when nothing holds it
    QFile::copy(path, locations.databasePath("other"));
    QFile garbage(locations.databasePath("aaa"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(8192, 'g'));
    garbage.close();
    const AllBackedUp all = backupAll(locations, output);
    EXPECT_EQ(all.failed, QStringList{garbage.fileName()});
    EXPECT_EQ(summary.filter("Not backed up: " + garbage.fileName() + ": ").size(), 1);
    const QStringList& backups = all.backups;
    ASSERT_EQ(backups.size(), 2);
    EXPECT_TRUE(backups[0].contains("/books_"));
    EXPECT_TRUE(backups[1].contains("/other_"));
    EXPECT_EQ(summary.filter("Backing up: ").size(), 3);
    EXPECT_EQ(summary.filter("Backed up to: ").size(), 2);
    EXPECT_EQ(QDir(locations.backupFolder()).entryList({"*.gdk"}, QDir::Files).size(), 2);
}

// A backup cut in the middle, and one damaged there, restore to nothing: no
// database under the target's name, no temporary file; the reason is given,
// and a good backup then restores to that name.
TEST_F(BackupRestoreTest, ACutOrDamagedBackupRestoresNothing) {
    execute(
        "EXECUTE BLOCK AS DECLARE I INTEGER = 0; BEGIN WHILE (I < 3000) DO BEGIN INSERT INTO "
        "JSEARCH_4 (PK, POS_TITLE) VALUES (:I + 10, 'ANALYST ' || :I); I = I + 1; END END");
    const QString good = backupDatabase(locations, path, output);
    const QByteArray bytes = bytesOf(good);
    const QString damaged = workspace.documents() + "/books_2026-12-06-20-05-09.gdk";
    const QByteArray cut = bytes.left(bytes.size() / 2);
    QByteArray zeroed = bytes;
    zeroed.replace(bytes.size() / 2, 16, QByteArray(16, '\0'));
    QByteArray overwritten = bytes;
    // gbak reads on over this one and completes, with rows lost.
    overwritten.replace(bytes.size() * 4 / 5, 16, QByteArray(16, 'A'));
    for (const QByteArray& content : {cut, zeroed, overwritten}) {
        writeFile(damaged, content);
        const QString error =
            errorOf<DatabaseError>([&] { restoreBackup(locations, damaged, output); });
        EXPECT_TRUE(error.startsWith("The restore from " + damaged + " did not complete: "))
            << error.toStdString();
        EXPECT_EQ(entriesOf(locations.restoredFolder()), QStringList()) << content.size();
    }
    summary.clear();
    EXPECT_TRUE(restoreBackup(locations, good, output));
    EXPECT_EQ(entriesOf(locations.restoredFolder()), QStringList{"books.gdb"});
    EXPECT_EQ(TestConnection(locations.restoredFolder() + "/books.gdb")
                  .rows("SELECT COUNT(*) FROM JSEARCH_4"),
              QStringList{"3000"});
    EXPECT_EQ(modeOf(locations.restoredFolder() + "/books.gdb"), 0600u);
}

// A restored folder that is a link is not followed; a backup that is no
// file, or whose name gives no database name, is refused before the service
// starts.
TEST_F(BackupRestoreTest, ARestoreNeverFollowsALinkNorTakesWhatIsNoBackup) {
    const QString backup = backupDatabase(locations, path, output);
    const QString unnamed = locations.backupFolder() + "/.gdk";
    ASSERT_TRUE(QFile::copy(backup, unnamed));
    const QString folder = locations.backupFolder();
    for (const auto& [file, refusal] :
         {std::pair{folder + "/none.gdk", folder + "/none.gdk does not exist."},
          std::pair{folder, folder + " is not a regular file."},
          std::pair{unnamed, "the name of " + unnamed + " gives no database name."}}) {
        EXPECT_FALSE(restoreBackup(locations, file, output));
        EXPECT_EQ(summary.last(), "Not restored: " + refusal);
    }
    EXPECT_EQ(entriesOf(locations.restoredFolder()), QStringList());
    const QString elsewhere = workspace.documents() + "/elsewhere";
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(QDir(locations.restoredFolder()).removeRecursively());
    ASSERT_TRUE(QFile::link(elsewhere, locations.restoredFolder()));
    EXPECT_FALSE(restoreBackup(locations, backup, output));
    EXPECT_TRUE(summary.last().endsWith("is a link; restores go only into a folder of their own."));
    EXPECT_EQ(entriesOf(elsewhere), QStringList());
}

// A backup whose stamped name is taken (a backup of the same second) gets
// "-2" and leaves the other file as it was.
TEST_F(BackupRestoreTest, TwoBackupsInOneSecondGetDistinctNames) {
    const QDateTime now = QDateTime::currentDateTime();
    for (int second = 0; second < 10; ++second)
        writeFile(locations.backupFolder() + "/" + backupFileName("books", now.addSecs(second)),
                  "an earlier backup");
    const QString backup = backupDatabase(locations, path, output);
    EXPECT_TRUE(backup.endsWith("-2.gdk")) << backup.toStdString();
    EXPECT_EQ(restoreTargetName(backup), "books.gdb");
    EXPECT_EQ(QFileInfo(backup.chopped(6) + ".gdk").size(), 17);
    EXPECT_EQ(modeOf(backup), 0600u);
    EXPECT_TRUE(restoreBackup(locations, backup, output));
}

}  // namespace
