#include "maintenance/database_archive.h"
#include "tests/support/error_of.h"
#include "tests/support/file_limits.h"
#include "tests/support/files.h"
#include "tests/support/report_file.h"
#include "tests/support/workspace.h"

#include <QDir>
#include <QFile>

#include <zip.h>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

using namespace database_archive;

struct Entry {
    QString name;
    QByteArray bytes;
    bool link = false;
};

// An archive made the way another program could make it, with any names.
void makeArchive(const QString& path, const QList<Entry>& entries,
                 zip_uint16_t method = ZIP_CM_DEFLATE) {
    int code = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    ASSERT_NE(archive, nullptr);
    for (const Entry& entry : entries) {
        zip_source_t* source =
            zip_source_buffer(archive, entry.bytes.constData(), entry.bytes.size(), 0);
        const zip_int64_t index = zip_file_add(archive, entry.name.toUtf8().constData(), source, 0);
        ASSERT_GE(index, 0) << entry.name.toStdString();
        zip_set_file_compression(archive, index, method, 0);
        if (entry.link)
            zip_file_set_external_attributes(archive, index, 0, ZIP_OPSYS_UNIX,
                                             (S_IFLNK | 0777u) << 16);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

class DatabaseArchiveTest : public ::testing::Test {
protected:
    TestWorkspace workspace;
    Locations locations = workspace.locations();
    QTemporaryDir scratch;
};

// Info-ZIP lists every file of the database folder, and the files come
// back byte for byte into the unzip folder.
TEST_F(DatabaseArchiveTest, ZipHoldsEveryFileOfTheDatabaseFolder) {
    const QString books = workspace.copyOfNewDatabase("books");
    workspace.copyOfNewDatabase("firstdb");
    writeFile(locations.databaseFolder() + "/notes.txt", "kept beside the databases\n");

    const mode_t umask = ::umask(0);  // what it makes is its owner's whatever the umask
    const QString archive =
        zipDatabaseFolder(locations, QDateTime(QDate(2026, 12, 6), QTime(21, 30, 5)));
    EXPECT_EQ(modeOf(archive), 0600u);
    EXPECT_EQ(archive, locations.zipFolder() + "/QUORVEL-2026-12-06-21-30-05.zip");
    EXPECT_EQ(entriesOf(locations.zipFolder()), QStringList{"QUORVEL-2026-12-06-21-30-05.zip"});

    const QString listing = outputOf("unzip", {"-Z1", archive});
    EXPECT_EQ(listing.split('\n', Qt::SkipEmptyParts),
              QStringList({"books.gdb", "firstdb.gdb", "notes.txt"}));
    outputOf("unzip", {"-tq", archive});

    const Unpacked unpacked = unzipArchive(archive, locations.unzipFolder());
    ::umask(umask);
    EXPECT_EQ(modeOf(locations.unzipFolder()), 0700u);
    EXPECT_EQ(modeOf(QFileInfo(locations.unzipFolder()).path()), 0700u);
    EXPECT_EQ(unpacked.files, QStringList({"books.gdb", "firstdb.gdb", "notes.txt"}));
    EXPECT_TRUE(unpacked.refused.isEmpty());
    EXPECT_EQ(bytesOf(locations.unzipFolder() + "/books.gdb"), bytesOf(books));
}

// Entries that would leave the folder, or are links, are refused and named;
// nothing lands outside the target, and the safe entries are unpacked.
TEST_F(DatabaseArchiveTest, HostileEntriesAreRefusedAndNamed) {
    const QString outside = scratch.filePath("outside");
    const QString target = scratch.filePath("home/temp02/restored");
    QDir().mkpath(outside + "/inner");
    const QString archive = scratch.filePath("hostile.zip");
    makeArchive(archive, {{"../x", "up"},
                          {"inner/../../y", "up twice"},
                          {outside + "/abs", "absolute"},
                          {"link", outside.toUtf8(), true},
                          {"back\\slash", "backslash"},
                          {"bell\x07", "control"},
                          {".unzip-part-1/x", "removed at the next start"},
                          {"good.gdb", "good"},
                          {"sub/inner.txt", "nested"}});

    const Unpacked unpacked = unzipArchive(archive, target);
    EXPECT_EQ(unpacked.files, QStringList({"good.gdb", "sub/inner.txt"}));
    QStringList refused;
    for (const Refusal& refusal : unpacked.refused)
        refused << refusal.entry + ": " + refusal.reason;
    EXPECT_EQ(
        refused,
        QStringList({"../x: its name contains \"..\"", "inner/../../y: its name contains \"..\"",
                     outside + "/abs: its name is an absolute path", "link: it is a link",
                     "back\\slash: its name contains a backslash",
                     // shown as the archive's code page shows it
                     QString::fromUtf8("bell\u2022: its name contains a control character"),
                     ".unzip-part-1/x: its folder's name is that of unzip's own staging folder"}));
    EXPECT_EQ(entriesOf(target), QStringList({"good.gdb", "sub/"}));
    EXPECT_EQ(entriesOf(outside), QStringList{"inner/"});
    EXPECT_EQ(entriesOf(scratch.filePath("home/temp02")), QStringList{"restored/"});
    EXPECT_EQ(entriesOf(outside + "/inner"), QStringList{});
}

// A file already in the target folder, and one reached through a link
// planted there, is never written.
TEST_F(DatabaseArchiveTest, NothingInTheTargetFolderIsReplaced) {
    const QString target = scratch.filePath("restored");
    const QString archive = scratch.filePath("plain.zip");
    makeArchive(archive, {{"books.gdb", "from the archive"}, {"sub/notes.txt", "notes"}});
    writeFile(target + "/books.gdb", "moved here by hand");
    QDir().mkpath(scratch.filePath("elsewhere"));
    ASSERT_TRUE(QFile::link(scratch.filePath("elsewhere"), target + "/sub"));

    const Unpacked unpacked = unzipArchive(archive, target);
    EXPECT_TRUE(unpacked.files.isEmpty());
    ASSERT_EQ(unpacked.refused.size(), 2);
    EXPECT_EQ(unpacked.refused[0].reason,
              target + "/books.gdb exists already and was left as it was");
    EXPECT_EQ(bytesOf(target + "/books.gdb"), "moved here by hand");
    EXPECT_EQ(unpackedMessage(unpacked).section('\n', 0, 3),
              "No file of the archive was unpacked into: " + target +
                  "\n\nThese entries of the archive were NOT unpacked:\n  books.gdb: " + target +
                  "/books.gdb exists already and was left as it was");
    EXPECT_TRUE(entriesOf(scratch.filePath("elsewhere")).isEmpty());
}

// An entry whose bytes were damaged fails its check: the error names it and
// no file cut short is left behind.
TEST_F(DatabaseArchiveTest, ADamagedEntryLeavesNoFileBehind) {
    const QString archive = scratch.filePath("damaged.zip");
    const QByteArray content = QByteArray("payment of 400.00 sent by mail ").repeated(20);
    makeArchive(archive, {{"first.gdb", "whole"}, {"books.gdb", content}}, ZIP_CM_STORE);
    QByteArray bytes = bytesOf(archive);
    bytes[bytes.indexOf("400.00") + 1] = '9';
    writeFile(archive, bytes);

    const QString target = scratch.filePath("restored");
    const QString error = errorOf<ArchiveError>([&] { unzipArchive(archive, target); });
    EXPECT_TRUE(error.startsWith(
        "Unpacking stopped at books.gdb: books.gdb cannot be read from the archive"))
        << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(target));
}

// An entry that cannot be written stops the unzip, which takes back every
// file and folder it made and says why.
TEST_F(DatabaseArchiveTest, AnEntryThatCannotBeWrittenTakesBackTheRun) {
    const QString archive = scratch.filePath("large.zip");
    makeArchive(archive, {{"first.gdb", "small"},
                          {"sub/second.gdb", QByteArray(256 * 1024, 'x')},
                          {"third.gdb", "small"}});
    const QString target = scratch.filePath("home/temp02/restored");
    const QString said = underFileSizeLimit(64 * 1024, [&] { unzipArchive(archive, target); });
    EXPECT_EQ(said, "Unpacking stopped at sub/second.gdb: " + target +
                        "/sub/second.gdb cannot be written whole: " + fileTooLarge() +
                        ". What this unzip had unpacked into " + target + " was removed.");
    EXPECT_EQ(entriesOf(scratch.path()), QStringList({"large.zip"}));
}

// An archive whose files would not fit is refused before anything is
// written: 8 MB of zeros packed into a few kilobytes, 1 MB free.
TEST_F(DatabaseArchiveTest, AnArchiveLargerThanTheFreeSpaceIsRefused) {
    const QString archive = scratch.filePath("zeros.zip");
    makeArchive(archive, {{"zeros.gdb", QByteArray(8 << 20, '\0')}});
    const QString target = scratch.filePath("restored");
    EXPECT_EQ(errorOf<ArchiveError>([&] { unzipArchive(archive, target, 1 << 20); }),
              archive + " was not unpacked: its files take 8388608 bytes, and " + target +
                  " has 1048576 bytes free.");
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_EQ(unzipArchive(archive, target).files, QStringList{"zeros.gdb"});
}

// The unzip folder, or the folder above it, being a link (to the database
// folder) is refused: nothing is written where it leads.
TEST_F(DatabaseArchiveTest, AnUnzipFolderThatIsALinkIsRefused) {
    const QString archive = scratch.filePath("plain.zip");
    makeArchive(archive, {{"books.gdb", "from the archive"}});
    const QString live = scratch.filePath("live");
    QDir().mkpath(live + "/restored");
    ASSERT_TRUE(QFile::link(live + "/restored", scratch.filePath("restored")));
    ASSERT_TRUE(QFile::link(live, scratch.filePath("temp02")));
    for (const QString& target :
         {scratch.filePath("restored"), scratch.filePath("temp02/restored")})
        EXPECT_THROW(unzipArchive(archive, target), ArchiveError) << target.toStdString();
    EXPECT_EQ(entriesOf(live + "/restored"), QStringList());
}

// An empty database folder makes no archive; a file that is no archive
// unpacks to nothing.
TEST_F(DatabaseArchiveTest, NothingToArchiveOrUnpackIsAnError) {
    ASSERT_TRUE(locations.ensureFolder(locations.databaseFolder()));
    EXPECT_THROW(zipDatabaseFolder(locations, QDateTime::currentDateTime()), ArchiveError);
    EXPECT_TRUE(entriesOf(locations.zipFolder()).isEmpty());
    writeFile(scratch.filePath("not.zip"), "plain text");
    EXPECT_THROW(unzipArchive(scratch.filePath("not.zip"), scratch.filePath("restored")),
                 ArchiveError);
}

}  // namespace
