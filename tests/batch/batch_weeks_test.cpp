#include "reports/report_text.h"
#include "tests/support/batch_tool.h"
#include "tests/support/files.h"
#include "tests/support/report_file.h"
#include "tests/support/test_connection.h"
#include "worksearch/stored_weekly_log.h"
#include "worksearch/weekly_log_csv.h"
#include "worksearch/weekly_log_report.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

class BatchWeeksTest : public ::testing::Test, protected BatchTool {
protected:
    QStringList period = {"report", "weeks", "--from", "2025-01-08", "--to", "2025-01-21"};
};

// The log printed is the log of the same database under its stored rules
// (weeks from Monday, two contacts with different employers: a Sunday
// counts towards the week before it), and --csv writes its two files
// there; files there already are refused unless --replace is given.
TEST_F(BatchWeeksTest, TheLogPrintedIsTheLogOfTheDatabaseAndItsCsvFiles) {
    execute(
        "INSERT INTO WORK_SEARCH_RULES_4 (WEEK_START, REQUIRED, DIFFERENT_EMPLOYERS) "
        "VALUES (1, 2, 'TRUE')");
    const QString insert =
        "INSERT INTO JSEARCH_4 (PK, REFNUM, DATE_, TIME_, CONTACT_NAME, EMAIL, POS_TITLE, "
        "SUBMITTED) VALUES (%1, %1, '%2', '%3', '%4', 'TRUE', 'DEVELOPER', 'TRUE')";
    execute(insert.arg(1).arg("2025-01-06", "09:00", "ACME CORP"));
    execute(insert.arg(2).arg("2025-01-07", "10:00", "ACME CORP"));
    execute(insert.arg(3).arg("2025-01-12", "23:30", "BETA LLC"));
    execute(insert.arg(4).arg("2025-01-13", "08:00", "GAMMA INC"));
    const QString folder = workspace.documents();
    ASSERT_EQ(batch(period + QStringList{"--csv", folder}), 0) << err.toStdString();

    const TestConnection connection(path);
    const worksearch::WeeklyLog log =
        worksearch::storedWeeklyLog(connection.database(), QDate(2025, 1, 8), QDate(2025, 1, 21));
    const QStringList lines =
        weekly_log_report::build(log, report_text::configuration(connection.database()));
    EXPECT_EQ(out, lines.join('\n') + '\n');
    EXPECT_TRUE(lines.contains("WEEKS START ON MONDAY; 2 CONTACTS REQUIRED EACH WEEK"));
    EXPECT_TRUE(lines.contains("WEEKS MET      : 1")) << out.toStdString();
    EXPECT_TRUE(lines.contains("CONTACTS IN ALL: 3"));
    const QString contacts = folder + "/weeks.csv", summary = folder + "/weeks_summary.csv";
    EXPECT_EQ(bytesOf(contacts), weekly_log_csv::contactsBytes(log));
    EXPECT_EQ(bytesOf(summary), weekly_log_csv::summaryBytes(log));
    EXPECT_TRUE(err.endsWith("CSV written to " + contacts + " and " + summary + "\n"))
        << err.toStdString();

    QFile::remove(contacts);
    EXPECT_EQ(batch(period + QStringList{"--csv", folder}), 1);
    EXPECT_EQ(err, summary + " exists already; give --replace to replace it.\n");
    EXPECT_FALSE(QFile::exists(contacts));
    EXPECT_EQ(batch(period + QStringList{"--csv", folder, "--replace"}), 0) << err.toStdString();
    EXPECT_EQ(bytesOf(contacts), weekly_log_csv::contactsBytes(log));
}

// The weeks around the first and last days a database holds reach past
// them; the records of those days are read all the same.
TEST_F(BatchWeeksTest, TheFirstAndLastDaysADatabaseHoldsAreReadWithTheirContacts) {
    const QString insert =
        "INSERT INTO JSEARCH_4 (PK, DATE_, CONTACT_NAME, SUBMITTED) VALUES "
        "(%1, '%2', 'ACME CORP', 'TRUE')";
    execute(insert.arg(1).arg("0001-01-01"));
    execute(insert.arg(2).arg("9999-12-31 23:59:59"));
    for (const char* day : {"0001-01-01", "9999-12-31"}) {
        EXPECT_EQ(batch({"report", "weeks", "--from", day, "--to", day}), 0) << err.toStdString();
        EXPECT_TRUE(out.contains("\nCONTACTS IN ALL: 1\n")) << out.toStdString();
    }
}

// Wrong input is named in one line, with where to read how it goes, and
// nothing is written.
TEST_F(BatchWeeksTest, WrongInputIsRefusedInOneLineWritingNothing) {
    const QString folder = workspace.documents() + "/csv";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + "/notes.txt";
    writeFile(file, "notes");
    const QString takesNo = "report weeks takes no --save, --pdf or --count-on.";
    const std::vector<std::pair<QStringList, QString>> wrong = {
        {{"report", "weeks", "--to", "2025-01-21", "--csv", folder},
         "report weeks takes --from DATE and --to DATE."},
        {{"report", "weeks", "--from", "2025-01-08"},
         "report weeks takes --from DATE and --to DATE."},
        {{"report", "weeks", "--from", "2025-01-22", "--to", "2025-01-21"},
         "report: --from 2025-01-22 is after --to 2025-01-21."},
        {period + QStringList{"--save"}, takesNo},
        {period + QStringList{"--pdf", folder + "/weeks.pdf"}, takesNo},
        {period + QStringList{"--count-on", "sent"}, takesNo},
        {period + QStringList{"--csv", file}, "report weeks --csv " + file + ": not a folder."},
        {period + QStringList{"--csv", "/dev/null"}, "report weeks --csv /dev/null: not a folder."},
        {period + QStringList{"--csv", folder + "/missing"},
         "report weeks --csv " + folder + "/missing: not a folder."},
        {{"report", "weekly"},
         "report takes one report: payments, title, state, arrears or weeks."},
    };
    for (const auto& [arguments, line] : wrong) {
        EXPECT_EQ(batch(arguments), 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(err, line + "\nTry 'quorvel4-batch --help'.\n");
        EXPECT_EQ(out, "");
    }
    EXPECT_EQ(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList({"notes.txt"}));
    EXPECT_EQ(bytesOf(file), "notes");
}

}  // namespace
