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

class HistoryPackTest : public ::testing::Test, protected BooksDatabase {
protected:
    void storePayment(double pk, const QDate& itemDate, qint64 cents) {
        PaymentRecord payment;
        payment.pk = pk;
        payment.itemDate = itemDate;
        payment.spousalSupport = cents;
        payments::store(dataModule.connection(), payment, "PAYMENT FORM");
    }
    void storeJob(double pk, const QDate& date) {
        JobSearchRecord job;
        job.pk = pk;
        job.date = date;
        jobsearch::store(dataModule.connection(), job, "JOB SEARCH FORM");
    }
    void deletePayment(double pk, const QString& lastValues) {
        const QSqlDatabase connection = dataModule.connection();
        inTransaction(connection, [&] {
            record_history::appendEntry(
                connection, {tables::payments, QString::number(pk), record_history::kDeleted,
                             "PAYMENT FORM", lastValues});
            executed(connection, QString("DELETE FROM QUORVEL_4 WHERE PK = %1").arg(pk));
        });
    }
};

// The period's payments and job search records (a deleted one by its last
// values) bring their whole history, as does an entry of the whole table
// made in the period; another program recomputes each entry's hash from the
// CSV alone. A payment changed outside the program fails the check, and the
// pack says so and is written all the same.
TEST_F(HistoryPackTest, ThePackHoldsThePeriodsHistoryAndWhatTheCheckFound) {
    storePayment(1, QDate(2004, 2, 1), 2900);
    PaymentRecord changed = *payments::load(dataModule.connection(), 1);
    const PaymentRecord loaded = changed;
    changed.spousalSupport = 3000;
    changed.memo = "paid, \"late\"\nby a week";
    payments::store(dataModule.connection(), changed, "PAYMENT FORM", loaded);
    storePayment(2, QDate(2003, 6, 1), 100);
    storePayment(3, QDate(2004, 3, 1), 100);
    deletePayment(3, "ITEM_DATE\t2004-03-01\t\nSS_AMT\t1.00\t");
    storeJob(1, QDate(2004, 5, 5));
    storeJob(2, QDate(2003, 1, 1));
    inTransaction(dataModule.connection(), [&] {
        record_history::appendEntry(dataModule.connection(),
                                    {tables::jobSearch, "1 TO 2", "IMPORTED",
                                     "IMPORT OF d\u00e9j\u00e0.txt", "RECORDS\t\t2"});
    });
    dataModule.close();
    ASSERT_EQ(isql(path, {}, "UPDATE QUORVEL_4 SET SS_AMT = 9 WHERE PK = 1;\nCOMMIT;\n"), "");
    dataModule.open(path);

    ASSERT_TRUE(workspace.locations().ensureFolder(workspace.locations().temporaryFolder()));
    const QString archive = workspace.documents() + "/pack.zip";
    const evidence_pack::Packed packed = evidence_pack::pack(
        dataModule.connection(),
        {"books", QDate(2004, 1, 1), QDate(9999, 12, 31), archive, QDateTime::currentDateTime(),
         workspace.locations().temporaryFolder()});
    EXPECT_FALSE(packed.historyHolds);

    const QString unpacked = workspace.documents() + "/unpacked";
    outputOf("unzip", {"-q", archive, "-d", unpacked});
    const QString checked = outputOf("sha256sum", {"-c", "manifest.txt"}, unpacked);
    EXPECT_TRUE(checked.contains("history.csv: OK\nhistory_check.txt: OK\n"))
        << checked.toStdString();
    EXPECT_EQ(outputOf("python3",
                       {Q4_TESTS_DIR "/evidence/history_csv_check.py", unpacked + "/history.csv"}),
              "1 QUORVEL_4 1 ADDED: ok\n"
              "2 QUORVEL_4 1 CHANGED: ok\n"
              "4 QUORVEL_4 3 ADDED: ok\n"
              "5 QUORVEL_4 3 DELETED: ok\n"
              "6 JSEARCH_4 1 ADDED: ok\n"
              "8 JSEARCH_4 1 TO 2 IMPORTED: ok\n");
    EXPECT_EQ(bytesOf(unpacked + "/history_check.txt"),
              "The history's chain holds: 8 entries; the last entry, ID 8, has the hash " +
                  rows("SELECT HASH FROM HISTORY_4 WHERE ID = 8").value(0).toUtf8() +
                  ".\nPayment record 1, SS_AMT: \"30.00\" in its history, \"9.00\" now.\n");
}

}  // namespace
