#include "reports/statistics_reports.h"
#include "reports/report_text.h"
#include "tests/support/books_database.h"
#include "tests/support/report_file.h"

#include <gtest/gtest.h>

namespace {

class StatisticsReportsTest : public ::testing::Test, protected BooksDatabase {
protected:
    StatisticsReportsTest() {
        execute(
            "INSERT INTO CONFIG_4 (MY_NAME, MY_ADDRESS, MY_CITY, MY_STATE, MY_ZIP) VALUES "
            "('PAT DOE', '12 ELM STREET', 'AUSTIN   ', 'TX', '78701')");
    }

    void addTitleRow(int order, const QString& category, const QString& count,
                     const QString& percentage, const QString& reason) {
        execute(QString("INSERT INTO STATS_JT_4 (ORDER_, CATEGORY, COUNT_, PERCENTAGE, "
                        "REASON_NOT_SUBMITTED) VALUES (%1, '%2', %3, %4, %5)")
                    .arg(QString::number(order), category, count, percentage, reason));
    }
};

// The whole report, byte for byte: zero counts listed, a negative count left
// out but counted in the totals, a category longer than its column cut, a
// null count and reason empty, percentages with four decimals.
TEST_F(StatisticsReportsTest, TitleReportListsEveryRowFromZeroUp) {
    addTitleRow(1, "DBA", "12", "12.5", "'TOO SENIOR'");
    addTitleRow(1, "ANALYST", "0", "0", "'*** NEW ENTRY, EDIT ME ***'");
    addTitleRow(2, QString("SENIOR PRINCIPAL STAFF SOFTWARE ENGINEER, PLATFORM"), "3", "3.3333",
                "'NO DEGREE'");
    addTitleRow(2, "WITHDRAWN", "-2", "-1.25", "'GONE'");
    addTitleRow(3, "UNCOUNTED", "NULL", "0", "NULL");
    const QStringList lines = statistics_reports::titleReport(dataModule.connection(), "DESK7");
    EXPECT_EQ(fileBytes(lines), goldenBytes("reports/title_report.txt"));
}

TEST_F(StatisticsReportsTest, OnlyTheMachineVanterlyPrintsDbaAsOracleDba) {
    addTitleRow(1, "DBA", "1", "100", "NULL");
    addTitleRow(2, "DBA ADMIN", "1", "100", "NULL");
    for (const auto& [machine, shown] :
         {std::pair{"VANTERLY", "ORACLE DBA_"}, std::pair{"vanterly", "DBA_"},
          std::pair{"DESK7", "DBA_"}}) {
        const QStringList lines = statistics_reports::titleReport(dataModule.connection(), machine);
        EXPECT_TRUE(lines.filter("DBA").first().startsWith(shown)) << machine;
        EXPECT_TRUE(lines.filter("DBA").last().startsWith("DBA ADMIN_")) << machine;
    }
}

// Only states with a positive count are listed; the seed rows, all zero,
// still count in the totals.
TEST_F(StatisticsReportsTest, StateReportListsCountedStatesOnly) {
    execute("UPDATE STATS_ST_4 SET COUNT_ = 40, PERCENTAGE = 66.6667 WHERE STATE = 'TX'");
    execute("UPDATE STATS_ST_4 SET COUNT_ = 20, PERCENTAGE = 33.3333 WHERE STATE = 'CA'");
    execute("UPDATE STATS_ST_4 SET COUNT_ = 0.4, PERCENTAGE = 0 WHERE STATE = 'NY'");
    const QStringList lines = statistics_reports::stateReport(dataModule.connection());
    EXPECT_EQ(fileBytes(lines), goldenBytes("reports/state_report.txt"));
}

// A save appends the closing lines naming the file, writes every line with
// CR LF, and a second save replaces the file with both sets of closing lines.
TEST_F(StatisticsReportsTest, SavingTwiceRewritesTheOneFileWithBothClosings) {
    QStringList lines = statistics_reports::titleReport(dataModule.connection(), "DESK7");
    const QStringList report = lines;
    const Locations locations = workspace.locations();
    const QString path = report_text::save(locations, statistics_reports::kTitleFileName,
                                           report_text::Closing::Statistics, lines);
    EXPECT_EQ(path, locations.reportsFolder() + "/_JOB_SEARCH_TITLE_STATS.txt");
    const QString rule(55, '-');
    const QStringList closing{"", rule, "Saved to file: " + path, rule, ""};
    EXPECT_EQ(bytesOf(path), fileBytes(report + closing));
    report_text::save(locations, statistics_reports::kTitleFileName,
                      report_text::Closing::Statistics, lines);
    EXPECT_EQ(bytesOf(path), fileBytes(report + closing + closing));
}

// A line Windows-1252 cannot hold stops the save before any file is written.
TEST(ReportText, ALineWindows1252CannotHoldIsRefusedAndNothingWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath("report.txt");
    EXPECT_THROW(
        report_text::writeReportFile(path, {"PAID 5 €", "SENT ✓"}, whole_file::Existing::Refuse),
        std::runtime_error);
    EXPECT_FALSE(QFile::exists(path));
    report_text::writeReportFile(path, {"PAID 5 €", "CAFÉ"}, whole_file::Existing::Refuse);
    EXPECT_EQ(bytesOf(path), QByteArray("PAID 5 \x80\r\nCAF\xC9\r\n"));
}

}  // namespace
