#include "maintenance/database_upgrade.h"
#include "tests/support/error_of.h"
#include "tests/support/files.h"
#include "tests/support/test_connection.h"
#include "tests/support/version1_database.h"
#include "tests/support/workspace.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using database_upgrade::bringUpToDate;

class DatabaseUpgradeTest : public ::testing::Test {
protected:
    DatabaseUpgradeTest() {
        EXPECT_TRUE(locations.ensureFolder(locations.databaseFolder()));
        makeVersion1Database(path);
        TestConnection(path).execute("INSERT INTO CITY_4 (CITY) VALUES ('AUSTIN')");
    }
    int version() const {
        return schema_upgrade::storedVersion(path, workspace.documents()).version;
    }
    QStringList rows(const QString& sql) const { return TestConnection(path).rows(sql); }

    TestWorkspace workspace;
    Locations locations = workspace.locations();
    QString path = locations.databasePath("old");
};

TEST_F(DatabaseUpgradeTest, OlderDatabaseIsBackedUpThenUpgradedTakingInRememberedImportsOnce) {
    workspace.settings.recordImportedFile("old", "ab12",
                                          "/mail/a.txt, 3 records, 2025-01-02 03:04");
    const database_upgrade::Outcome first =
        bringUpToDate(locations, path, workspace.settings.importedFiles("old"));
    EXPECT_EQ(first.failure, "");
    EXPECT_EQ(QFileInfo(first.backup).absolutePath(), locations.backupFolder());
    EXPECT_TRUE(QFileInfo(first.backup).isFile());
    EXPECT_EQ(version(), schema::currentVersion());

    const database_upgrade::Outcome again =
        bringUpToDate(locations, path, workspace.settings.importedFiles("old"));
    EXPECT_EQ(again.backup, "") << "an up-to-date database is not backed up again";
    EXPECT_EQ(rows("SELECT DIGEST, FILE_NAME, RECORDS FROM IMPORTED_FILE_4"),
              QStringList{"ab12|/mail/a.txt|3"});
}

// A step that fails is undone whole (the tables it made too): the database
// keeps its version and rows, and the backup made before it is there.
TEST_F(DatabaseUpgradeTest, FailingStepLeavesVersionAndRowsAsTheyWere) {
    std::vector<schema::UpgradeStep> steps = schema::upgradeSteps();
    steps.front().statements.append("ALTER TABLE CITY_4 ADD CITY INTEGER");
    const database_upgrade::Outcome outcome = bringUpToDate(locations, path, {}, steps);
    EXPECT_TRUE(outcome.failure.contains("The step from version 1 to version 2 failed"))
        << outcome.failure.toStdString();
    EXPECT_TRUE(outcome.failure.contains(outcome.backup));
    EXPECT_EQ(entriesOf(locations.backupFolder()),
              QStringList{QFileInfo(outcome.backup).fileName()});
    EXPECT_EQ(version(), 1);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME IN "
                   "('SCHEMA_VERSION_4', 'IMPORTED_FILE_4')"),
              QStringList{"0"});
    EXPECT_EQ(rows("SELECT CITY FROM CITY_4"), QStringList{"AUSTIN"});
}

TEST_F(DatabaseUpgradeTest, NewerDatabaseIsRefusedAndKeepsEveryByte) {
    const QString newer = workspace.copyOfNewDatabase("newer");
    TestConnection(newer).execute(
        QString("UPDATE SCHEMA_VERSION_4 SET VERSION_ = %1").arg(schema::currentVersion() + 1));
    QFile file(newer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();

    const QString message =
        errorOf<schema_upgrade::NewerDatabase>([&] { bringUpToDate(locations, newer, {}); });
    EXPECT_TRUE(message.contains(QString("is of version %1").arg(schema::currentVersion() + 1)))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QString("up to %1").arg(schema::currentVersion())));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll() == bytes) << "the refused database was changed";
    EXPECT_EQ(entriesOf(locations.backupFolder()), QStringList{});
}

}  // namespace
