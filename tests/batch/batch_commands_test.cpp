#include "batch/batch_commands.h"
#include "tests/support/books_database.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class BatchTest : public ::testing::Test, protected BooksDatabase {
protected:
    BatchTest() {
        dataModule.close();  // the tool opens the database itself
        workspace.settings.recordCurrentDatabase({"books", path});
    }
    int batch(const QStringList& arguments) {
        out.clear();
        err.clear();
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        return batch::run(arguments, workspace.locations(), workspace.settings, outStream,
                          errStream);
    }
    const QString alerts = QStringLiteral(Q4_TESTS_DIR "/importing/cb7_alerts.txt");
    QString out;
    QString err;
};

TEST_F(BatchTest, ImportsIntoTheCurrentDatabaseAndRefusesAFileImportedBefore) {
    EXPECT_EQ(batch({"import", "cb7", alerts}), 0) << err.toStdString();
    EXPECT_TRUE(out.startsWith("Importing into books (" + path + ")\nAdding Version"));
    EXPECT_TRUE(out.endsWith(alerts + ": 5 records imported.\n"));
    EXPECT_EQ(count("JSEARCH_4"), 5);

    EXPECT_EQ(batch({"import", "cb7", alerts}), 1);
    EXPECT_TRUE(err.contains("give --again")) << err.toStdString();
    EXPECT_EQ(count("JSEARCH_4"), 5);
    EXPECT_EQ(batch({"import", "cb7", "--again", alerts}), 0);
    EXPECT_EQ(count("JSEARCH_4"), 10);
}

TEST_F(BatchTest, RefusesFirstdbAWrongCommandAndAMissingFile) {
    EXPECT_EQ(batch({"import", "cb7", workspace.documents() + "/none.txt"}), 1);
    EXPECT_TRUE(err.contains("cannot be opened")) << err.toStdString();
    EXPECT_EQ(batch({"import", "mbox", alerts}), 2);
    EXPECT_EQ(batch({}), 2);
    EXPECT_EQ(batch({"--help"}), 0);
    EXPECT_TRUE(out.startsWith("Usage: quorvel4-batch import"));
    workspace.settings.recordCurrentDatabase({"firstdb", workspace.locations().firstdbPath()});
    EXPECT_EQ(batch({"import", "4jobs", alerts}), 1);
    EXPECT_TRUE(err.contains("'firstdb' may not hold live data")) << err.toStdString();
}

}  // namespace
