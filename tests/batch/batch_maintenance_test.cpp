#include "batch/batch_commands.h"
#include "tests/support/books_database.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

void makeFile(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write("left by a killed run");
}

// What a killed backup, restore, zip or pack left is removed by the next
// start of the tool, each with a line; finished files stay.
TEST(BatchMaintenanceTest, TheNextStartRemovesWhatAKilledRunLeft) {
    BooksDatabase books;
    books.dataModule.close();
    const Locations locations = books.workspace.locations();
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
        makeFile(path);

    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    EXPECT_EQ(
        batch::run({"backup", "books"}, locations, books.workspace.settings, outStream, errStream),
        0)
        << err.toStdString();
    errStream.flush();
    for (const QString& path : left.mid(0, 3)) {
        EXPECT_FALSE(QFileInfo::exists(path)) << path.toStdString();
        EXPECT_TRUE(err.contains("Removed what a stopped run left behind: " + path + "\n"))
            << err.toStdString();
    }
    EXPECT_TRUE(err.contains(
        "Removed what a stopped run left behind: " + locations.temporaryFolder() + "/pack-7\n"))
        << err.toStdString();
    EXPECT_EQ(QDir(locations.temporaryFolder())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList());
    for (const QString& path : kept)
        EXPECT_TRUE(QFileInfo::exists(path)) << path.toStdString();
}

// A zip that fails says so and nothing else.
TEST(BatchMaintenanceTest, ZipSaysItZippedOnlyWhenItDid) {
    BooksDatabase books;
    books.dataModule.close();
    const Locations locations = books.workspace.locations();
    makeFile(QFileInfo(locations.zipFolder()).path());  // "zip" is a file: no folder below it
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    EXPECT_EQ(batch::run({"zip"}, locations, books.workspace.settings, outStream, errStream), 1);
    outStream.flush();
    EXPECT_EQ(out, "");
}

}  // namespace
