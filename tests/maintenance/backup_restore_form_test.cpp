#include "maintenance/backup_restore_form.h"
#include "tests/support/books_database.h"
#include "tests/support/form_driver.h"
#include "tests/support/scripted_dialogs.h"

#include <QDir>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace {

class BackupRestoreFormTest : public ::testing::Test, protected BooksDatabase {
protected:
    BackupRestoreFormTest() { form.show(); }

    QStringList memo(const QString& name) {
        const QString text = component<QPlainTextEdit>(form, name)->toPlainText();
        return text.isEmpty() ? QStringList() : text.split('\n');
    }
    QStringList filesIn(const QString& folder) {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }

    Locations locations = workspace.locations();
    ScriptedDialogs dialogs;
    Tbackup_restore_form form{locations, dialogs};
};

// A backup chosen in the database folder, then restored from the backup
// folder; the service's lines show in Memo2 while it runs.
TEST_F(BackupRestoreFormTest, BackUpTheLiveDatabaseThenRestoreIt) {
    dialogs.queueChosenFile(path);
    press(form, "btn_single_db_backup");
    EXPECT_EQ(dialogs.fileRequests.at(0).folder, locations.databaseFolder());
    const QStringList backups = filesIn(locations.backupFolder());
    ASSERT_EQ(backups.size(), 1);
    const QString backup = locations.backupFolder() + "/" + backups[0];
    EXPECT_EQ(memo("Memo1"), QStringList({"Backing up: " + path, "Backed up to: " + backup}));
    EXPECT_FALSE(memo("Memo2").filter("closing file, committing, and finishing").isEmpty())
        << memo("Memo2").join('\n').toStdString();

    dialogs.queueChosenFile(backup);
    press(form, "btn_restore");
    EXPECT_EQ(dialogs.fileRequests.at(1).folder, locations.backupFolder());
    EXPECT_EQ(memo("Memo1").value(1), "Restored to: " + locations.restoredFolder() + "/books.gdb");
    EXPECT_TRUE(memo("Memo2").isEmpty());
    EXPECT_EQ(filesIn(locations.restoredFolder()), QStringList{"books.gdb"});
}

// Cancelling either dialog clears the memos and writes nothing; showing
// the form again clears them too.
TEST_F(BackupRestoreFormTest, CancelledDialogsWriteNothing) {
    press(form, "btn_all_db_backup");
    EXPECT_EQ(memo("Memo1").size(), 2);
    EXPECT_TRUE(memo("Memo2").isEmpty());  // cleared after each file
    const QStringList backups = filesIn(locations.backupFolder());

    for (const char* button : {"btn_single_db_backup", "btn_restore"}) {
        dialogs.queueChosenFile(QString());
        press(form, button);
        EXPECT_TRUE(memo("Memo1").isEmpty()) << button;
    }
    EXPECT_EQ(filesIn(locations.backupFolder()), backups);
    EXPECT_FALSE(QDir(locations.restoredFolder()).exists());

    press(form, "btn_all_db_backup");
    form.hide();
    form.show();
    EXPECT_TRUE(memo("Memo1").isEmpty());
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
