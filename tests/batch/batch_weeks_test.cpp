#include "batch/weeks_command.h"
#include "reports/report_text.h"
#include "tests/support/batch_tool.h"
#include "tests/support/report_file.h"
#include "tests/support/test_connection.h"
#include "worksearch/stored_weekly_log.h"
#include "worksearch/weekly_log_csv.h"
#include "worksearch/weekly_log_report.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class BatchWeeksTest : public ::testing::Test, protected BatchTool {};

// The log printed is the log of the same database under its stored rules
// (weeks from Monday, two contacts with different employers: a Sunday
// counts towards the week before it), and --csv writes its two files
// there; one of them there already is refused unless --replace is given.
// The records of the first day a database holds are read, though the week
// around it reaches past that day; weeks after today are not listed.
TEST_F(BatchWeeksTest, TheLogPrintedIsTheLogOfTheDatabaseAndItsCsvFiles) {
    execute(
        "INSERT INTO WORK_SEARCH_RULES_4 (WEEK_START, REQUIRED, DIFFERENT_EMPLOYERS) "
        "VALUES (1, 2, 'TRUE')");
    const QString insert =
        "INSERT INTO JSEARCH_4 (PK, DATE_, TIME_, CONTACT_NAME, SUBMITTED) "
        "VALUES (%1, '%2', '%3', '%4', 'TRUE')";
    execute(insert.arg(1).arg("2025-01-06", "09:00", "ACME CORP"));
    execute(insert.arg(2).arg("2025-01-07", "10:00", "ACME CORP"));
    execute(insert.arg(3).arg("2025-01-12", "23:30", "BETA LLC"));
    execute(insert.arg(4).arg("2025-01-13", "08:00", "GAMMA INC"));
    execute(insert.arg(5).arg("0001-01-01", "", "DELTA"));
    execute(insert.arg(6).arg("9999-12-31 23:59:59", "", "DELTA"));
    const QStringList period = {"report", "weeks", "--from", "2025-01-08", "--to", "2025-01-21"};
    const QString folder = workspace.documents();
    ASSERT_EQ(batch(period + QStringList{"--csv", folder}), 0) << err.toStdString();

    const TestConnection connection(path);
    const worksearch::WeeklyLog log =
        worksearch::storedWeeklyLog(connection.database(), QDate(2025, 1, 8), QDate(2025, 1, 21));
    const QStringList lines =
        weekly_log_report::build(log, report_text::configuration(connection.database()));
    EXPECT_EQ(out, lines.join('\n') + '\n');
    EXPECT_TRUE(lines.contains("WEEKS MET      : 1") && lines.contains("CONTACTS IN ALL: 3"));
    const QString contacts = folder + "/weeks.csv", summary = folder + "/weeks_summary.csv";
    EXPECT_EQ(bytesOf(contacts), weekly_log_csv::contactsBytes(log));
    EXPECT_EQ(bytesOf(summary), weekly_log_csv::summaryBytes(log));

    QFile::remove(contacts);
    EXPECT_EQ(batch(period + QStringList{"--csv", folder}), 1);
    EXPECT_EQ(err, summary + " exists already; give --replace to replace it.\n");
    EXPECT_FALSE(QFile::exists(contacts));
    EXPECT_EQ(batch(period + QStringList{"--csv", folder, "--replace"}), 0) << err.toStdString();
    EXPECT_EQ(bytesOf(contacts), weekly_log_csv::contactsBytes(log));

    EXPECT_EQ(batch({"report", "weeks", "--from", "0001-01-01", "--to", "0001-01-01"}), 0)
        << err.toStdString();
    EXPECT_TRUE(out.contains("\nCONTACTS IN ALL: 1\n"));
    EXPECT_EQ(batch({"report", "weeks", "--from", "2025-01-13", "--to", "9999-12-31"}), 0)
        << err.toStdString();
    EXPECT_TRUE(
        out.contains("\nTHE PERIOD ASKED FOR RAN TO 12/31/9999; LATER WEEKS HAD NOT BEGUN\n"));
    EXPECT_TRUE(out.contains("\nCONTACTS IN ALL: 1\n")) << "only GAMMA INC, none in 9999";
}

// A log printed onto a full disk fails the command with the system's
// reason, before either CSV file is written.
TEST_F(BatchWeeksTest, ALogThatCannotBePrintedWholeFails) {
    QFile full("/dev/full");
    ASSERT_TRUE(full.open(QIODevice::WriteOnly));
    QTextStream fullDisk(&full), errors(&err);
    const QString folder = workspace.documents();
    const TestConnection connection(path);
    try {
        batch::writeWeeks({QDate(2025, 1, 1), QDate(2025, 12, 31), folder}, connection.database(),
                          fullDisk, errors);
        ADD_FAILURE() << "a log lost on a full disk was taken as printed";
    } catch (const ProgramError& error) {
        EXPECT_TRUE(error.message().contains("No space left on device"))
            << error.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(folder + "/weeks.csv"));
    EXPECT_FALSE(QFile::exists(folder + "/weeks_summary.csv"));
}

}  // namespace
