#include "platform/whole_file.h"
#include "tests/support/file_limits.h"
#include "tests/support/files.h"
#include "tests/support/report_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class WholeFileTest : public ::testing::Test {
protected:
    QString pathOf(const QString& name) const { return folder.filePath(name); }
    QStringList folderNames() const { return entriesOf(folder.path()); }
    QTemporaryDir folder;
};

TEST_F(WholeFileTest, WritesForTheOwnerOnlyAndNeverReplacesUnlessAsked) {
    const mode_t previous = ::umask(0);
    whole_file::write(pathOf("report.txt"), "first", whole_file::Existing::Refuse);
    ::umask(previous);
    EXPECT_EQ(modeOf(pathOf("report.txt")), 0600u);

    EXPECT_THROW(whole_file::write(pathOf("report.txt"), "second", whole_file::Existing::Refuse),
                 whole_file::WriteError);
    EXPECT_EQ(bytesOf(pathOf("report.txt")), "first");
    whole_file::write(pathOf("report.txt"), "third", whole_file::Existing::Replace);
    EXPECT_EQ(bytesOf(pathOf("report.txt")), "third");
    EXPECT_EQ(folderNames(), QStringList{"report.txt"});
}

TEST_F(WholeFileTest, AFullDiskFailsWithTheSystemsReasonAndLeavesNothingBehind) {
    const QString said = underFileSizeLimit(4096, [this] {
        whole_file::write(pathOf("big.csv"), QByteArray(100000, 'x'), whole_file::Existing::Refuse);
    });
    EXPECT_TRUE(said.contains("big.csv")) << said.toStdString();
    EXPECT_TRUE(said.contains(fileTooLarge())) << said.toStdString();
    EXPECT_TRUE(folderNames().isEmpty()) << folderNames().join(' ').toStdString();

    // A replacement that fails keeps the file it would have replaced.
    whole_file::write(pathOf("kept.txt"), "kept", whole_file::Existing::Refuse);
    underFileSizeLimit(4096, [this] {
        whole_file::write(pathOf("kept.txt"), QByteArray(100000, 'x'),
                          whole_file::Existing::Replace);
    });
    EXPECT_EQ(bytesOf(pathOf("kept.txt")), "kept");
    EXPECT_EQ(folderNames(), QStringList{"kept.txt"});
}

TEST_F(WholeFileTest, AWriteNeverCommittedLeavesNoFile) {
    {
        whole_file::Writer writer(pathOf("pack.zip"), whole_file::Existing::Refuse);
        writer.write("half");
    }
    EXPECT_TRUE(folderNames().isEmpty());
    EXPECT_THROW(whole_file::write(folder.path(), "x", whole_file::Existing::Replace),
                 whole_file::WriteError);
    EXPECT_THROW(whole_file::write(pathOf("no/such/folder.txt"), "x", whole_file::Existing::Refuse),
                 whole_file::WriteError);
}

TEST_F(WholeFileTest, PublishesAnotherProgramsFileWithoutReplacing) {
    whole_file::write(pathOf("a.part"), "new", whole_file::Existing::Refuse);
    whole_file::write(pathOf("a.gdk"), "old", whole_file::Existing::Refuse);
    EXPECT_THROW(
        whole_file::publish(pathOf("a.part"), pathOf("a.gdk"), whole_file::Existing::Refuse),
        whole_file::WriteError);
    EXPECT_EQ(bytesOf(pathOf("a.gdk")), "old");
    EXPECT_EQ(folderNames(), QStringList{"a.gdk"});

    whole_file::write(pathOf("b.part"), "new", whole_file::Existing::Refuse);
    whole_file::publish(pathOf("b.part"), pathOf("b.gdk"), whole_file::Existing::Refuse);
    EXPECT_EQ(bytesOf(pathOf("b.gdk")), "new");
}

}  // namespace
