#include "history/record_check.h"
#include "datastore/record_history.h"
#include "datastore/table_names.h"
#include "payments/payment_record.h"
#include "platform/transaction.h"
#include "tests/support/books_database.h"
#include "tests/support/test_connection.h"

#include <gtest/gtest.h>

namespace {

class RecordCheckTest : public ::testing::Test, protected BooksDatabase {
protected:
    QStringList differences() {
        QStringList lines;
        for (const history::Difference& each : history::paymentDifferences(dataModule.connection()))
            lines.append(
                QStringList{each.recordKey, each.column, each.inHistory, each.now}.join('|'));
        return lines;
    }
};

// Payments saved by the program match their history, an entry of the whole
// table names no record; a value changed, a record deleted and one added with isql-fb
// are named with the value each had.
TEST_F(RecordCheckTest, APaymentChangedOutsideTheProgramIsNamedWithItsColumn) {
    PaymentRecord first;
    first.pk = 1.5;
    first.memo = "two\tlines\nhere";
    first.spousalSupport = 29;
    payments::store(dataModule.connection(), first, "PAYMENT FORM");
    PaymentRecord changed = first;
    changed.spousalSupport = 100;
    changed.cleared = QDate(2004, 2, 20);
    payments::store(dataModule.connection(), changed, "PAYMENT FORM", first);
    PaymentRecord second;
    second.pk = 2;
    payments::store(dataModule.connection(), second, "PAYMENT FORM");
    inTransaction(dataModule.connection(), [&] {  // an entry of the whole table names no record
        record_history::appendEntry(dataModule.connection(),
                                    {tables::payments, "ALL", record_history::kRestored,
                                     "RESTORE OF books_1.gdk", QString()});
    });
    EXPECT_EQ(differences(), QStringList());

    dataModule.close();  // another process may attach only a file no one holds
    EXPECT_EQ(isql(path, {},
                   "UPDATE QUORVEL_4 SET SS_AMT = 9, COMMENT = 'x' WHERE PK = 1.5;\n"
                   "DELETE FROM QUORVEL_4 WHERE PK = 2;\n"
                   "INSERT INTO QUORVEL_4 (PK) VALUES (3);\nCOMMIT;\n"),
              "");
    dataModule.open(path);
    EXPECT_EQ(differences(),
              QStringList({"1.5|COMMENT|N/A|x", "1.5|SS_AMT|1.00|9.00", "2|||absent",
                           "3||absent|"}));
}

}  // namespace
