#include "tests/support/batch_tool.h"
#include "tests/support/files.h"

#include <QFileInfo>

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
    };
    const QStringList kept = {
        locations.backupFolder() + "/books_2026-12-06-20-05-09.gdk",
        locations.zipFolder() + "/QUORVEL-2026-12-06-21-30-05.zip",
    };
    for (const QString& path : left + kept)
        writeFile(path, "left by a killed run");
    EXPECT_EQ(batch({"backup", "books"}), 0) << err.toStdString();
    for (const QString& path : left.mid(0, 3)) {
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

}  // namespace
