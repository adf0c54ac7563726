#include "tests/support/files.h"
#include "tests/support/printers.h"
#include "tests/support/user_home.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

// The tool as a user runs it, without a display: the PDF holds the lines
// it printed.
TEST(BatchPdfTest, TheToolWritesTheReportItPrintsAsAPdf) {
    const UserHome home;
    const QString pdf = home.filePath("state.pdf");
    QProcess tool;
    tool.setProcessEnvironment(home.environment());
    tool.start(Q4_BATCH_EXE, {"report", "state", "--pdf", pdf});
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QStringList printed =
        QString::fromUtf8(tool.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);

    const QString inPdf = pdfText(pdf).simplified();
    ASSERT_GT(printed.size(), 10);
    for (const QString& line : printed) {
        EXPECT_TRUE(inPdf.contains(line.simplified())) << line.toStdString();
    }
    EXPECT_TRUE(inPdf.contains("Page 1 of 1"));
}

}  // namespace
