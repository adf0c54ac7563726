#include "tests/support/batch_tool.h"
#include "tests/support/files.h"
#include "tests/support/user_home.h"

#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <csignal>

#include <gtest/gtest.h>

namespace {

class BatchMaintenanceTest : public ::testing::Test, protected BatchTool {
protected:
    const Locations locations = workspace.locations();
};

// What a killed backup, restore, zip or pack left is removed by the next
// start of the tool, each with a line; finished files stay.
TEST_F(BatchMaintenanceTest, TheNextStartRemovesWhatAKilledRunLeft) {
    const QStringList left = {
        locations.restoredFolder() + "/books.gdb.part-3k2j9",
        locations.backupFolder() + "/books_2026-12-06-20-05-09.gdk.part-x1",
        locations.zipFolder() + "/QUORVEL-2026-12-06-21-30-05.zip.part-q9.Ab12Cd",
        locations.temporaryFolder() + "/pack-7/manifest.txt",
        locations.unzipFolder() + "/.unzip-part-5x/books.gdb",
    };
    const QStringList kept = {
        locations.backupFolder() + "/books_2026-12-06-20-05-09.gdk",
        locations.zipFolder() + "/QUORVEL-2026-12-06-21-30-05.zip",
    };
    for (const QString& path : left + kept)
        writeFile(path, "left by a killed run");
    EXPECT_EQ(batch({"backup", "books"}), 0) << err.toStdString();
    for (const QString& path : left.mid(0, 3) + QStringList{QFileInfo(left[4]).path()}) {
        EXPECT_FALSE(QFileInfo::exists(path)) << path.toStdString();
        EXPECT_TRUE(err.contains("Removed what a stopped run left behind: " + path + "\n"))
            << err.toStdString();
    }
    EXPECT_TRUE(err.contains(
        "Removed what a stopped run left behind: " + locations.temporaryFolder() + "/pack-7\n"))
        << err.toStdString();
    EXPECT_EQ(entriesOf(locations.temporaryFolder()), QStringList());
    for (const QString& path : kept)
        EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
}

// A zip that fails says so and nothing else.
TEST_F(BatchMaintenanceTest, ZipSaysItZippedOnlyWhenItDid) {
    writeFile(QFileInfo(locations.zipFolder()).path(), "");  // "zip" is a file: no folder below it
    EXPECT_EQ(batch({"zip"}), 1);
    EXPECT_EQ(out, "");
}

// The lines of a run as a terminal shows them, both streams merged.
QStringList linesOf(const UserHome& home, const QStringList& arguments) {
    QProcess tool;
    tool.setProcessEnvironment(home.environment());
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(Q4_BATCH_EXE, arguments);
    EXPECT_TRUE(tool.waitForFinished(120000));
    return QString::fromLocal8Bit(tool.readAll()).split('\n', Qt::SkipEmptyParts);
}

TEST(BatchMaintenanceAsUserTest, BackupAndRestoreEndByNamingTheFinalFile) {
    const UserHome home;
    const QString backedUp = linesOf(home, {"backup", "books"}).last();
    ASSERT_TRUE(backedUp.startsWith("Backed up to: ") && backedUp.endsWith(".gdk"))
        << backedUp.toStdString();
    const QStringList restored = linesOf(home, {"restore", backedUp.mid(14)});
    ASSERT_GE(restored.size(), 3);
    EXPECT_TRUE(restored[restored.size() - 3].endsWith("/db-restored/books.gdb"))
        << restored.join('\n').toStdString();
}

// SIGTERM in the middle of zip and SIGINT in the middle of unzip leave no
// file of theirs behind, nor the lock.
TEST(BatchMaintenanceAsUserTest, ATerminationSignalLeavesNeitherTemporaryFilesNorTheLock) {
    const UserHome home;
    const Locations locations(home.filePath("Documents"), QFileInfo(home.filePath("x")).path());
    QFile big(locations.databasePath("big"));  // random bytes, which take a while to pack
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    QList<quint32> words(12 << 20);
    QRandomGenerator::global()->fillRange(words.data(), words.size());
    big.write(reinterpret_cast<const char*>(words.constData()), words.size() * 4);
    big.close();
    const auto interrupt = [&](const QStringList& arguments, const QString& folder, int signal) {
        QProcess tool;
        tool.setProcessEnvironment(home.environment());
        tool.start(Q4_BATCH_EXE, arguments);
        while (entriesOf(folder).isEmpty() && !tool.waitForFinished(0))
            QThread::usleep(200);
        ASSERT_EQ(tool.state(), QProcess::Running) << "ran to its end before the signal";
        ::kill(pid_t(tool.processId()), signal);
        ASSERT_TRUE(tool.waitForFinished(60000));
        EXPECT_EQ(tool.exitCode(), 128 + signal);
        EXPECT_EQ(entriesOf(folder), QStringList()) << arguments[0].toStdString();
        EXPECT_FALSE(QFileInfo::exists(locations.programFolder() + "/quorvel4.lock"));
    };
    interrupt({"zip"}, locations.zipFolder(), SIGTERM);
    ASSERT_EQ(linesOf(home, {"zip"}).size(), 1);
    interrupt({"unzip", locations.zipFolder() + "/" + entriesOf(locations.zipFolder())[0]},
              locations.unzipFolder(), SIGINT);
}

}  // namespace
