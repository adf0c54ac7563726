#include "obligations/arrears_csv.h"
#include "obligations/arrears_report.h"
#include "obligations/obligation_store.h"
#include "platform/windows1252.h"
#include "reports/report_text.h"
#include "tests/support/files.h"
#include "tests/support/report_file.h"
#include "tests/support/test_connection.h"
#include "tests/support/user_home.h"
#include "worksearch/stored_weekly_log.h"
#include "worksearch/weekly_log_csv.h"
#include "worksearch/weekly_log_report.h"

#include <gtest/gtest.h>

namespace {

// The pack as a user gets it, unpacked by Info-ZIP: every file the
// manifest lists has the hash it gives, the period's proof files are there
// once each under names of their own (a file named only after the period
// is not), and a missing one is named. The payments report shows every
// amount, and the statistics reports say they count all records. The
// arrears statement of the period, counted on the date sent, is there as
// text and as arrears.csv, and the weekly log of the period's weeks as text
// and as its two CSV files.
TEST(BatchPackTest, ThePackHoldsThePeriodsRecordsProofsAndTheirHashes) {
    const UserHome home;
    const QString database = home.database();
    const QString february = home.filePath("scans/february/cheque.pdf");
    const QString march = home.filePath("scans/march/cheque.pdf");
    const QString later = home.filePath("scans/2005/cheque.pdf");
    writeFile(february, "February's cheque");
    writeFile(march, "March's cheque");
    writeFile(later, "A cheque of 2005");
    {
        TestConnection connection(database);
        const QString insert =
            "INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, SS_AMT, ITEM_FILE) VALUES "
            "(%1, 'SPOUSAL SUPPORT', '%2', 1200, '%3')";
        connection.execute(insert.arg(1).arg("2004-02-01", february));
        connection.execute(insert.arg(2).arg("2004-03-01", march));
        connection.execute(insert.arg(3).arg("2004-04-01", home.filePath("scans/lost.pdf")));
        connection.execute(insert.arg(4).arg("2005-01-01", later));  // after the period
        connection.execute(
            "INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, CS_AMT, ITEM_FILE) VALUES "
            "(5, 'CHILD SUPPORT', '2004-06-01', 300, '" +
            february + "')");
        connection.execute(
            "INSERT INTO JSEARCH_4 (PK, DATE_, POS_TITLE, SUBMITTED) VALUES "
            "(1, '2004-05-05', 'DBA', 'TRUE')");
        connection.execute("UPDATE QUORVEL_4 SET DATE_SENT = '2004-03-03' WHERE PK = 2");
        connection.execute(
            "INSERT INTO OBLIGATION_4 (PK, KIND, AMOUNT, FREQUENCY, DUE_DAY, FIRST_DUE, "
            "LAST_DUE) VALUES (1, 'SS', 1200, 'MO', 1, '2004-02-01', '2004-04-01')");
    }
    const QString archive = home.filePath("evidence 2004.zip");
    const ToolRun tool =
        home.run(Q4_BATCH_EXE, {"pack", "--from", "2004-01-01", "--to", "2004-12-31", archive});
    ASSERT_EQ(tool.status, 0) << tool.err.toStdString();
    EXPECT_TRUE(tool.out.contains("Missing proof file: 2004-04-01  SPOUSAL SUPPORT: " +
                                  home.filePath("scans/lost.pdf")));

    const QString unpacked = home.filePath("unpacked");
    outputOf("unzip", {"-q", archive, "-d", unpacked});
    QStringList files =
        outputOf("find", {".", "-type", "f"}, unpacked).split('\n', Qt::SkipEmptyParts);
    files.sort();
    EXPECT_EQ(
        files,
        QStringList({"./arrears.csv", "./arrears_statement.pdf", "./arrears_statement.txt",
                     "./history.csv", "./history_check.txt", "./job_search.csv", "./manifest.txt",
                     "./payments.csv", "./payments_report.pdf", "./payments_report.txt",
                     "./proofs/cheque (2).pdf", "./proofs/cheque.pdf", "./state_statistics.txt",
                     "./title_statistics.txt", "./weekly_work_search.pdf",
                     "./weekly_work_search.txt", "./weeks.csv", "./weeks_summary.csv"}));
    EXPECT_EQ(bytesOf(unpacked + "/proofs/cheque.pdf"), "February's cheque");
    EXPECT_EQ(bytesOf(unpacked + "/proofs/cheque (2).pdf"), "March's cheque");

    const QStringList report =
        QString::fromLatin1(bytesOf(unpacked + "/payments_report.txt")).split("\r\n");
    EXPECT_TRUE(report.contains("ITEM DATES 01/01/2004 TO 12/31/2004"));
    EXPECT_TRUE(report.filter("CHILD SUPPORT").value(0).contains("  __300.00  "));
    for (const char* statistics : {"/title_statistics.txt", "/state_statistics.txt"})
        EXPECT_TRUE(bytesOf(unpacked + statistics)
                        .startsWith("THIS REPORT COUNTS ALL RECORDS, NOT ONLY THOSE OF THE PERIOD "
                                    "01/01/2004 TO 12/31/2004\r\n"));

    const QString manifest = QString::fromUtf8(bytesOf(unpacked + "/manifest.txt"));
    EXPECT_TRUE(
        manifest.startsWith("Evidence pack of the Quorvel4 database books\n"
                            "Period: 2004-01-01 to 2004-12-31\n"));
    EXPECT_TRUE(
        manifest.contains("  2004-04-01  SPOUSAL SUPPORT: " + home.filePath("scans/lost.pdf")));
    const QString checked =
        outputOf("sha256sum", {"--check", "--ignore-missing", "manifest.txt"}, unpacked);
    EXPECT_EQ(checked.count(": OK\n"), 17) << checked.toStdString();

    {
        const TestConnection connection(database);
        const obligations::ArrearsStatement statement =
            obligations::storedStatement(connection.database(), QDate(2004, 1, 1),
                                         QDate(2004, 12, 31), obligations::CountingDate::Sent);
        const QStringList lines =
            arrears_report::build(statement, report_text::configuration(connection.database()));
        EXPECT_TRUE(lines.contains("BALANCE ON 12/31/2004: ARREARS 2400.00"));
        EXPECT_EQ(bytesOf(unpacked + "/arrears_statement.txt"), fileBytes(lines));
        EXPECT_EQ(bytesOf(unpacked + "/arrears.csv"), arrears_csv::bytes(statement));

        const worksearch::WeeklyLog log = worksearch::storedWeeklyLog(
            connection.database(), QDate(2004, 1, 1), QDate(2004, 12, 31));
        const QStringList weeks =
            weekly_log_report::build(log, report_text::configuration(connection.database()));
        EXPECT_TRUE(weeks.contains("CONTACTS IN ALL: 1"));
        EXPECT_EQ(windows1252::decode(bytesOf(unpacked + "/weekly_work_search.txt")),
                  weeks.join("\r\n") + "\r\n");
        EXPECT_EQ(bytesOf(unpacked + "/weeks.csv"), weekly_log_csv::contactsBytes(log));
        EXPECT_EQ(bytesOf(unpacked + "/weeks_summary.csv"), weekly_log_csv::summaryBytes(log));
    }

    QStringList paymentDates;
    for (const QString& line : QString::fromUtf8(bytesOf(unpacked + "/payments.csv")).split("\r\n"))
        paymentDates << line.section(',', 2, 2);
    EXPECT_EQ(paymentDates, QStringList({"ITEM_DATE", "2004-02-01", "2004-03-01", "2004-04-01",
                                         "2004-06-01", ""}));
}

}  // namespace
