#include "tests/support/batch_tool.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

// A file that gives no record of the kind is refused and not taken for
// imported, so that the right importer takes it after; what is not a
// regular file is refused before it is read, however it is reached.
class BatchImportTest : public ::testing::Test, protected BatchTool {
protected:
    int import(const QString& kind, const QString& file) { return batch({"import", kind, file}); }
};

TEST_F(BatchImportTest, RefusesAFileWithoutRecordsAndWhatIsNotARegularFile) {
    const QString recruiterMail = QStringLiteral(Q4_TESTS_DIR "/importing/recruiter_mail.txt");
    EXPECT_EQ(import("4jobs", recruiterMail), 1);
    EXPECT_TRUE(err.contains(recruiterMail + ": no records of this kind found"))
        << err.toStdString();
    EXPECT_EQ(import("recruiter", recruiterMail), 0) << err.toStdString();

    const QString folder = workspace.documents();
    QDir().mkpath(folder);
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + "/pipe").constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", folder + "/zeros.txt"));
    for (const auto& [file, kind] : {std::pair<QString, QString>{"/dev/zero", "device"},
                                     {folder + "/zeros.txt", "device"},
                                     {folder + "/pipe", "pipe"},
                                     {folder, "folder"}}) {
        EXPECT_EQ(import("cb7", file), 1) << file.toStdString();
        EXPECT_TRUE(err.contains(file + " is not a regular file (it is a " + kind + ")"))
            << err.toStdString();
    }
    EXPECT_EQ(count("JSEARCH_4"), 5);

    // The database records what it imported: settings that cannot be
    // written are no reason to refuse an import or to repeat one.
    ASSERT_TRUE(
        QDir().mkpath(QFileInfo(folder).path() + "/settings/KELBRIDGE_LABS/QUORVEL4.conf.part"));
    EXPECT_EQ(import("cb7", Q4_TESTS_DIR "/importing/cb7_alerts.txt"), 0) << err.toStdString();
    EXPECT_EQ(count("JSEARCH_4"), 10);
    EXPECT_EQ(import("cb7", Q4_TESTS_DIR "/importing/cb7_alerts.txt"), 1);
    EXPECT_EQ(count("JSEARCH_4"), 10);
}

}  // namespace
