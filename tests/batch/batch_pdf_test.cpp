#include "tests/support/files.h"
#include "tests/support/printers.h"
#include "tests/support/user_home.h"

#include <gtest/gtest.h>

namespace {

// The tool as a user runs it, without a display: the PDF holds the lines
// it printed.
TEST(BatchPdfTest, TheToolWritesTheReportItPrintsAsAPdf) {
    const UserHome home;
    const QString pdf = home.filePath("state.pdf");
    const ToolRun tool = home.run(Q4_BATCH_EXE, {"report", "state", "--pdf", pdf});
    ASSERT_EQ(tool.status, 0) << tool.err.toStdString();
    const QStringList printed = tool.out.split('\n', Qt::SkipEmptyParts);

    const QString inPdf = pdfText(pdf).simplified();
    ASSERT_GT(printed.size(), 10);
    for (const QString& line : printed)
        EXPECT_TRUE(inPdf.contains(line.simplified())) << line.toStdString();
    EXPECT_TRUE(inPdf.contains("Page 1 of 1"));
}

}  // namespace
