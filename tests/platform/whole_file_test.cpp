#include "platform/whole_file.h"
#include "tests/support/file_limits.h"
#include "tests/support/files.h"
#include "tests/support/report_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class WholeFileTest : public ::testing::Test {
protected:
    QString pathOf(const QString& name) const { return folder.filePath(name); }
    QStringList folderNames() const { return entriesOf(folder.path()); }
    QTemporaryDir folder;
};

// A replacement that fails on a full disk keeps the file it would have
// replaced, and leaves nothing beside it.
TEST_F(WholeFileTest, AFailedReplacementKeepsTheFileItWouldHaveReplaced) {
    whole_file::write(pathOf("kept.txt"), "kept", whole_file::Existing::Refuse);
    const QString said = underFileSizeLimit(4096, [this] {
        whole_file::write(pathOf("kept.txt"), QByteArray(100000, 'x'),
                          whole_file::Existing::Replace);
    });
    EXPECT_TRUE(said.contains(fileTooLarge())) << said.toStdString();
    EXPECT_EQ(bytesOf(pathOf("kept.txt")), "kept");
    EXPECT_EQ(folderNames(), QStringList{"kept.txt"});
}

TEST_F(WholeFileTest, PublishesAnotherProgramsFileWithoutReplacing) {
    whole_file::write(pathOf("a.part"), "new", whole_file::Existing::Refuse);
    whole_file::write(pathOf("a.gdk"), "old", whole_file::Existing::Refuse);
    EXPECT_THROW(
        whole_file::publish(pathOf("a.part"), pathOf("a.gdk"), whole_file::Existing::Refuse),
        whole_file::WriteError);
    EXPECT_EQ(bytesOf(pathOf("a.gdk")), "old");
    EXPECT_EQ(folderNames(), QStringList{"a.gdk"});
}

}  // namespace
