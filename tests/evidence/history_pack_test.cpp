#include "datastore/record_history.h"
#include "datastore/table_names.h"
#include "evidence/evidence_pack.h"
#include "jobsearch/job_search_record.h"
#include "payments/payment_record.h"
#include "platform/sql_statement.h"
#include "platform/transaction.h"
#include "tests/support/books_database.h"
#include "tests/support/files.h"
#include "tests/support/report_file.h"
#include "tests/support/test_connection.h"

#include <gtest/gtest.h>

namespace {

class HistoryPackTest : public ::testing::Test, protected BooksDatabase {};

// The period's payments and job search records (a deleted one by its last
// values) bring their whole history, as does an entry of the whole table
// made in the period; another program recomputes each entry's hash from the
// CSV alone. A payment changed outside the program fails the check, and the
// pack is written all the same with what the check found.
TEST_F(HistoryPackTest, ThePackHoldsThePeriodsHistoryAndWhatTheCheckFound) {
    const QSqlDatabase connection = dataModule.connection();
    for (const auto& [pk, day] :
         {std::pair{1, QDate(2004, 2, 1)}, {2, QDate(2003, 6, 1)}, {3, QDate(2004, 3, 1)}}) {
        PaymentRecord payment;
        payment.pk = pk;
        payment.itemDate = day;
        payments::store(connection, payment, "PAYMENT FORM");
        JobSearchRecord job;
        job.pk = pk;
        job.date = day.addYears(pk == 3 ? -1 : 0);
        jobsearch::store(connection, job, "JOB SEARCH FORM");
    }
    PaymentRecord changed = *payments::load(connection, 1);
    changed.spousalSupport = 3000;
    changed.memo = "paid, \"late\"\nby a week";
    payments::store(connection, changed, "PAYMENT FORM", payments::load(connection, 1));
    inTransaction(connection, [&] {
        record_history::appendEntry(connection, {tables::payments, "3", record_history::kDeleted,
                                                 "PAYMENT FORM", "ITEM_DATE\t2004-03-01\t"});
        executed(connection, "DELETE FROM QUORVEL_4 WHERE PK = 3");
        record_history::appendEntry(connection, {tables::jobSearch, "1 TO 3", "IMPORTED",
                                                 "IMPORT OF d\u00e9j\u00e0.txt", "RECORDS\t\t3"});
    });
    dataModule.close();
    ASSERT_EQ(isql(path, {}, "UPDATE QUORVEL_4 SET SS_AMT = 9 WHERE PK = 1;\nCOMMIT;\n"), "");
    dataModule.open(path);

    const QString temporary = workspace.locations().temporaryFolder();
    ASSERT_TRUE(workspace.locations().ensureFolder(temporary));
    const QString archive = workspace.documents() + "/pack.zip";
    EXPECT_FALSE(evidence_pack::pack(dataModule.connection(),
                                     {"books", QDate(2004, 1, 1), QDate(9999, 12, 31), archive,
                                      QDateTime::currentDateTime(), temporary})
                     .historyHolds);

    const QString unpacked = workspace.documents() + "/unpacked";
    outputOf("unzip", {"-q", archive, "-d", unpacked});
    const QString checked = outputOf("sha256sum", {"-c", "manifest.txt"}, unpacked);
    EXPECT_TRUE(checked.contains("history.csv: OK\nhistory_check.txt: OK\n"))
        << checked.toStdString();
    EXPECT_EQ(outputOf("python3",
                       {Q4_TESTS_DIR "/evidence/history_csv_check.py", unpacked + "/history.csv"}),
              "1 QUORVEL_4 1 ADDED: ok\n2 JSEARCH_4 1 ADDED: ok\n5 QUORVEL_4 3 ADDED: ok\n"
              "7 QUORVEL_4 1 CHANGED: ok\n8 QUORVEL_4 3 DELETED: ok\n"
              "9 JSEARCH_4 1 TO 3 IMPORTED: ok\n");
    EXPECT_EQ(bytesOf(unpacked + "/history_check.txt"),
              "The history's chain holds: 9 entries; the last entry, ID 9, has the hash " +
                  rows("SELECT HASH FROM HISTORY_4 WHERE ID = 9").value(0).toUtf8() +
                  ".\nPayment record 1, SS_AMT: \"30.00\" in its history, \"9.00\" now.\n");
}

}  // namespace
