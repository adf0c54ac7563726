#include "batch/batch_commands.h"
#include "tests/support/books_database.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

class BatchImportTest : public ::testing::Test, protected BooksDatabase {
protected:
    BatchImportTest() {
        dataModule.close();  // the tool opens the database itself
        workspace.settings.recordCurrentDatabase({"books", path});
    }
    int import(const QString& kind, const QString& file) {
        err.clear();
        QString out;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return batch::run({"import", kind, file}, workspace.locations(), workspace.settings,
                          outStream, errStream);
    }
    QString err;
};

// A file that gives no record of the kind is refused and not taken for
// imported, so that the right importer takes it after; what is not a
// regular file is refused before it is read, however it is reached.
TEST_F(BatchImportTest, RefusesAFileWithoutRecordsAndWhatIsNotARegularFile) {
    const QString recruiterMail = QStringLiteral(Q4_TESTS_DIR "/importing/recruiter_mail.txt");
    EXPECT_EQ(import("4jobs", recruiterMail), 1);
    EXPECT_TRUE(err.contains(recruiterMail + ": no records of this kind found"))
        << err.toStdString();
    EXPECT_EQ(import("recruiter", recruiterMail), 0) << err.toStdString();
    EXPECT_EQ(count("JSEARCH_4"), 5);

    QDir().mkpath(workspace.documents());
    const QString pipe = workspace.documents() + "/pipe";
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString link = workspace.documents() + "/zeros.txt";
    ASSERT_TRUE(QFile::link("/dev/zero", link));
    const std::pair<QString, const char*> refused[] = {{"/dev/zero", "(it is a device)"},
                                                       {link, "(it is a device)"},
                                                       {pipe, "(it is a pipe)"},
                                                       {workspace.documents(), "(it is a folder)"}};
    for (const auto& [file, kind] : refused) {
        EXPECT_EQ(import("cb7", file), 1) << file.toStdString();
        EXPECT_TRUE(err.contains(file + " is not a regular file " + kind)) << err.toStdString();
    }
    EXPECT_EQ(count("JSEARCH_4"), 5);
}

}  // namespace
