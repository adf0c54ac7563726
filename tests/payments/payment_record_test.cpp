#include "payments/payment_record.h"
#include "platform/database_error.h"
#include "tests/support/books_database.h"
#include "tests/support/test_connection.h"

#include <gtest/gtest.h>

namespace {

class PaymentRecordTest : public ::testing::Test, protected BooksDatabase {
protected:
    PaymentRecord sample() {
        PaymentRecord record;
        record.pk = 46000.1234567891;
        record.category = "CHILD SUPPORT";
        record.itemDate = QDate(2004, 2, 1);
        record.sent = QDate(2004, 2, 2);
        record.cleared = QDate(2004, 2, 20);
        record.daysSentToCleared = 18;
        record.spousalSupport = 29;
        record.childSupport = 123456789;
        record.other = -1;
        record.comment = "Müller – café";
        record.memo = "Müller – café\nsecond line";
        return record;
    }
};

// Absent dates stay absent (1 January 1901 where the column stores them so,
// NULL where it has no date for them), amounts keep every cent and text its
// Windows-1252 bytes.
TEST_F(PaymentRecordTest, StoreAndLoadKeepEveryValue) {
    const PaymentRecord record = sample();
    payments::store(dataModule.connection(), record, "PAYMENT FORM");
    EXPECT_EQ(payments::load(dataModule.connection(), *record.pk), record);
    EXPECT_EQ(rows("SELECT DATE_AVAIL, ITEM_DATE, SS_AMT, CS_AMT, OTHER_AMT, CHECK_NBR, ITEM "
                   "FROM QUORVEL_4"),
              QStringList("1901-01-01T00:00:00.000|2004-02-01T00:00:00.000|0.29|1234567.89|-0.01"
                          "||N/A"));

    PaymentRecord changed = record;
    changed.itemDate.reset();
    changed.cleared.reset();
    changed.checkNumber = "1234567";  // one character more than the column holds
    payments::store(dataModule.connection(), changed, "PAYMENT FORM", record);
    changed.checkNumber = "123456";
    EXPECT_EQ(payments::load(dataModule.connection(), *record.pk), changed);
    EXPECT_EQ(count("QUORVEL_4"), 1);
    EXPECT_EQ(rows("SELECT ITEM_DATE, DATE_CLEAR FROM QUORVEL_4"),
              QStringList("|1901-01-01T00:00:00.000"));
    EXPECT_FALSE(payments::load(dataModule.connection(), 1.0));
    dataModule.close();  // another process may attach only a file no one holds
    EXPECT_EQ(storedBytes(path, "QUORVEL_4", "COMMENT"), QStringList("4DFC6C6C6572209620636166E9"));
}

// A change writes what changed: a column the record holds as absent but the
// row as NULL keeps its NULL. A row deleted meanwhile is not made again.
TEST_F(PaymentRecordTest, AChangeLeavesEveryOtherColumnAsStored) {
    execute("INSERT INTO QUORVEL_4 (PK, CATEGORY, DATE_1ST_TRY) VALUES (5, 'LEGAL', NULL)");
    const PaymentRecord loaded = *payments::load(dataModule.connection(), 5);
    PaymentRecord changed = loaded;
    changed.category = "CHILD SUPPORT";
    payments::store(dataModule.connection(), changed, "PAYMENT FORM", loaded);
    EXPECT_EQ(rows("SELECT CATEGORY, COALESCE(DATE_1ST_TRY, 'null') FROM QUORVEL_4"),
              QStringList("CHILD SUPPORT|null"));

    execute("DELETE FROM QUORVEL_4");
    EXPECT_THROW(payments::store(dataModule.connection(), changed, "PAYMENT FORM", loaded),
                 DatabaseError);
    EXPECT_EQ(count("QUORVEL_4"), 0);
}

TEST_F(PaymentRecordTest, TextWindows1252CannotHoldIsRefusedNamingItsColumn) {
    PaymentRecord record = sample();
    record.carrier = "SNOW ☃ POST";
    try {
        payments::store(dataModule.connection(), record, "PAYMENT FORM");
        FAIL() << "stored";
    } catch (const DatabaseError& refusal) {
        EXPECT_EQ(refusal.message(), "CARRIER holds ☃, a character that cannot be stored.");
    }
    EXPECT_EQ(count("QUORVEL_4"), 0);
}

// The history holds the payment as added, then only what an edit changed,
// as the CSV export shows it; a save that changes nothing, a refused one and
// a duplicate write no entry.
TEST_F(PaymentRecordTest, EachStoreWritesOneHistoryEntryARefusedOneNone) {
    const PaymentRecord record = sample();
    payments::store(dataModule.connection(), record, "PAYMENT FORM");
    const QStringList added =
        rows("SELECT CHANGES FROM HISTORY_4 WHERE ACTION = 'ADDED'").value(0).split('\n');
    EXPECT_EQ(added.size(), 31);
    for (const char* line : {"PK\t\t46000.1234567891", "ITEM_DATE\t\t2004-02-01", "DATE_AVAIL\t\t",
                             "SS_AMT\t\t0.29", "OTHER_AMT\t\t-0.01", "DAYS_SENT_TO_CLEAR\t\t18"})
        EXPECT_TRUE(added.contains(line)) << line;

    PaymentRecord changed = record;
    changed.childSupport = 100000;
    changed.cleared = QDate(2004, 3, 1);
    payments::store(dataModule.connection(), changed, "PAYMENT FORM", record);
    payments::store(dataModule.connection(), changed, "PAYMENT FORM", changed);
    PaymentRecord refused = changed;
    refused.carrier = "SNOW ☃ POST";
    refused.other = 5;
    EXPECT_THROW(payments::store(dataModule.connection(), refused, "PAYMENT FORM", changed),
                 DatabaseError);
    EXPECT_THROW(payments::store(dataModule.connection(), changed, "PAYMENT FORM"), DatabaseError);

    EXPECT_EQ(rows("SELECT ID, TABLE_NAME, RECORD_KEY, ACTION, SOURCE FROM HISTORY_4 ORDER BY ID"),
              QStringList({"1|QUORVEL_4|46000.1234567891|ADDED|PAYMENT FORM",
                           "2|QUORVEL_4|46000.1234567891|CHANGED|PAYMENT FORM"}));
    EXPECT_EQ(rows("SELECT CHANGES FROM HISTORY_4 WHERE ID = 2"),
              QStringList("DATE_CLEAR\t2004-02-20\t2004-03-01\nCS_AMT\t1234567.89\t1000.00"));
    EXPECT_EQ(payments::load(dataModule.connection(), *record.pk), changed);
}

// A change whose history entry the database refuses is not made either:
// the record and its entry commit together.
TEST_F(PaymentRecordTest, AChangeWhoseHistoryCannotBeWrittenIsNotMade) {
    const PaymentRecord record = sample();
    payments::store(dataModule.connection(), record, "PAYMENT FORM");
    execute("ALTER TABLE HISTORY_4 ADD CONSTRAINT REFUSE_ALL CHECK (ID < 0)");
    PaymentRecord changed = record;
    changed.spousalSupport = 7;
    EXPECT_THROW(payments::store(dataModule.connection(), changed, "PAYMENT FORM", record),
                 DatabaseError);
    EXPECT_THROW(payments::remove(dataModule.connection(), *record.pk, "PAYMENT FORM"),
                 DatabaseError);
    EXPECT_EQ(payments::load(dataModule.connection(), *record.pk), record);
    EXPECT_EQ(count("HISTORY_4"), 1);
}

}  // namespace
