#include "worksearch/weekly_log_report.h"
#include "worksearch/weekly_log_csv.h"

#include "reports/report_text.h"
#include "tests/support/files.h"
#include "tests/support/report_file.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace worksearch;

QDate d(int year, int month, int day) {
    return QDate(year, month, day);
}

Contact contact(double pk, const QDate& date, const char* time, const char* name, const char* email,
                const char* title, const char* comment = "") {
    Contact made;
    made.pk = pk;
    made.refnum = pk;
    made.date = date;
    made.time = time;
    made.contactName = name;
    made.email = email;
    made.title = title;
    made.city = "AUSTIN";
    made.state = "TX";
    made.comment = comment;
    made.submitted = "TRUE";
    made.active = "TRUE";
    return made;
}

// Three contacts a week with different employers, from Wednesday 8 January
// 2025 to Tuesday 21 January: the first week met (a second contact with
// ACME not counted again), the second empty, the third short by two; a
// title and a comment too long for one line, a comment holding a comma,
// quotes and a line break, and one a letter outside ASCII.
WeeklyLog smallLog() {
    WeekRules rules;
    rules.differentEmployers = true;
    const QString longTitle =
        "SENIOR SOFTWARE ENGINEER FOR PAYMENT RECONCILIATION AND LEDGER MIGRATION SERVICES "
        "(REMOTE FIRST, QUARTERLY TRAVEL TO HEADQUARTERS)";
    Contact longOne = contact(3, d(2025, 1, 9), "14:30", "BETA LOGISTICS", "FALSE", "");
    longOne.title = longTitle;
    longOne.comment =
        "SPOKE WITH THE HIRING MANAGER ABOUT THE TEAM, \"ON CALL\" DUTIES,\nAND A SECOND "
        "INTERVIEW NEXT WEEK; SENT REFERENCES THE SAME DAY AS ASKED "
        "HTTPS://CAREERS.BETA-LOGISTICS.EXAMPLE/POSTINGS/2025/"
        "SENIOR-SOFTWARE-ENGINEER-LEDGER-MIGRATION";
    return weeklyLog(
        {contact(1, d(2025, 1, 6), "09:00", "ACME CORP", "TRUE", "DEVELOPER"),
         contact(2, d(2025, 1, 7), "10:00", " acme corp", "TRUE", "TESTER"), longOne,
         contact(4, d(2025, 1, 11), "08:10", "GAMMA LLC", "FALSE", "ANALYST", "CALLED MÜLLER"),
         contact(5, d(2025, 1, 20), "16:00", "DELTA INC", "TRUE", "DEVELOPER")},
        rules, d(2025, 1, 8), d(2025, 1, 21));
}

// As the saved file holds it: Windows-1252, the dash of an empty week 0x96.
TEST(WeeklyLogReport, SmallLogSavesAsExpected) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("weekly_log.txt");
    const QStringList lines = weekly_log_report::build(smallLog(), sampleParties());
    report_text::writeReportFile(path, lines, whole_file::Existing::Refuse);
    EXPECT_EQ(bytesOf(path), goldenBytes("worksearch/expected_weekly_log.txt"));
    for (const QString& line : lines)
        EXPECT_LE(line.size(), weekly_log_report::kLineWidth) << line.toStdString();
}

// A period none of whose weeks had begun on the day the log was made is
// headed by its own dates, and says so, instead of running back to that day.
TEST(WeeklyLogReport, APeriodNotBegunIsHeadedByItsOwnDates) {
    WeeklyLog log = weeklyLog({}, WeekRules{}, d(2027, 1, 1), d(2026, 12, 7));
    log.askedTo = d(2027, 2, 1);
    const QStringList lines = weekly_log_report::build(log, sampleParties());
    EXPECT_TRUE(lines.contains("WEEKLY WORK SEARCH LOG FROM 01/01/2027 TO 02/01/2027"))
        << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains("NO WEEK OF THE PERIOD HAD BEGUN ON 12/07/2026"));
}

TEST(WeeklyLogCsv, FilesReadBackAsWritten) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path();
    weekly_log_csv::write(smallLog(), folder, whole_file::Existing::Refuse);
    EXPECT_EQ(
        outputOf("python3", {Q4_TESTS_DIR "/worksearch/weeks_csv_check.py", folder}),
        "weeks_summary.csv\n"
        "week_start|week_end|counted|required|status\n"
        "2025-01-05|2025-01-11|3|3|MET\n"
        "2025-01-12|2025-01-18|0|3|SHORT\n"
        "2025-01-19|2025-01-25|1|3|SHORT\n"
        "weeks.csv\n"
        "week_start|week_end|date|time|contact_name|method|position_title|city|state|"
        "comment\n"
        "2025-01-05|2025-01-11|2025-01-06|09:00|ACME CORP|E-MAIL|DEVELOPER|AUSTIN|TX|\n"
        "2025-01-05|2025-01-11|2025-01-09|14:30|BETA LOGISTICS|OTHER|SENIOR SOFTWARE "
        "ENGINEER FOR PAYMENT RECONCILIATION AND LEDGER MIGRATION SERVICES (REMOTE FIRST, "
        "QUARTERLY TRAVEL TO HEADQUARTERS)|AUSTIN|TX|SPOKE WITH THE HIRING MANAGER ABOUT "
        "THE TEAM, \"ON CALL\" DUTIES,\nAND A SECOND INTERVIEW NEXT WEEK; SENT REFERENCES "
        "THE SAME DAY AS ASKED "
        "HTTPS://CAREERS.BETA-LOGISTICS.EXAMPLE/POSTINGS/2025/SENIOR-SOFTWARE-ENGINEER-LEDGER-"
        "MIGRATION\n"
        "2025-01-05|2025-01-11|2025-01-11|08:10|GAMMA LLC|OTHER|ANALYST|AUSTIN|TX|CALLED MÜLLER\n"
        "2025-01-19|2025-01-25|2025-01-20|16:00|DELTA INC|E-MAIL|DEVELOPER|AUSTIN|TX|\n");
}

// A replacement of both files that cannot name weeks_summary.csv (made
// immutable) leaves the pair that was there: weeks.csv as it was, no new
// one beside the old summary.
TEST(WeeklyLogCsv, AReplacementThatFailsLeavesTheFormerPair) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString contacts = dir.filePath("weeks.csv"), summary = dir.filePath("weeks_summary.csv");
    writeFile(contacts, "FORMER CONTACTS\r\n");
    writeFile(summary, "FORMER SUMMARY\r\n");
    if (QProcess::execute("chattr", {"+i", summary}) != 0)
        GTEST_SKIP() << "this file system or user makes no immutable file";

    EXPECT_THROW(weekly_log_csv::write(smallLog(), dir.path(), whole_file::Existing::Replace),
                 whole_file::WriteError);
    QProcess::execute("chattr", {"-i", summary});

    EXPECT_EQ(bytesOf(contacts), QByteArray("FORMER CONTACTS\r\n"));
    EXPECT_EQ(entriesOf(dir.path()), QStringList({"weeks.csv", "weeks_summary.csv"}));
}

}  // namespace
