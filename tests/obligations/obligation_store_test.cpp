#include "obligations/obligation_store.h"
#include "obligations/stored_payments.h"
#include "platform/database_error.h"
#include "tests/support/books_database.h"
#include "tests/support/error_of.h"
#include "tests/support/test_connection.h"

#include <gtest/gtest.h>

namespace {

using namespace obligations;

class ObligationStoreTest : public ::testing::Test, protected BooksDatabase {
protected:
    static Obligation monthly() {
        Obligation obligation;
        obligation.kind = Kind::SpousalSupport;
        obligation.amount = 123456;
        obligation.dueDay = 31;
        obligation.firstDue = QDate(2024, 1, 31);
        obligation.orderReference = "2023-DR-0042 Müller";
        obligation.memo = "Décret – first line\nsecond line";
        return obligation;
    }
    std::vector<Obligation> stored() const { return loadAll(dataModule.connection()); }
};

// Every value comes back as stored, text as Windows-1252 and amounts in
// exact cents; a change writes over its own row, a refused obligation
// writes nothing and says what problemWith() says.
TEST_F(ObligationStoreTest, ObligationsKeepEveryValueAndARefusedOneWritesNothing) {
    Obligation first = add(dataModule.connection(), monthly());
    Obligation second = monthly();
    second.kind = Kind::Other;
    second.frequency = Frequency::TwiceAMonth;
    second.dueDay = 1;
    second.secondDueDay = 15;
    second.lastDue = QDate(2025, 12, 15);
    second.orderReference.clear();
    second.memo.clear();
    second = add(dataModule.connection(), second);
    EXPECT_EQ(first.key, 1);
    EXPECT_EQ(second.key, 2);
    EXPECT_EQ(stored(), (std::vector<Obligation>{first, second}));
    EXPECT_EQ(rows("SELECT KIND, AMOUNT, FREQUENCY, LAST_DUE FROM OBLIGATION_4 ORDER BY PK"),
              QStringList({"SS|1234.56|MO|", "OT|1234.56|SM|2025-12-15T00:00:00.000"}));
    dataModule.close();
    EXPECT_EQ(storedBytes(path, "OBLIGATION_4", "ORDER_REF").value(0),
              "323032332D44522D30303432204DFC6C6C6572");
    dataModule.open(path);

    first.amount = 140001;
    first.lastDue = QDate(2024, 12, 31);
    change(dataModule.connection(), first);
    EXPECT_EQ(stored(), (std::vector<Obligation>{first, second}));

    Obligation wrong = first;
    wrong.amount = -1;
    EXPECT_EQ(errorOf<Refused>([&] { change(dataModule.connection(), wrong); }),
              problemWith(wrong));
    wrong.key.reset();
    EXPECT_EQ(errorOf<Refused>([&] { add(dataModule.connection(), wrong); }), problemWith(wrong));
    EXPECT_EQ(stored(), (std::vector<Obligation>{first, second}));

    remove(dataModule.connection(), *first.key);
    EXPECT_EQ(stored(), std::vector<Obligation>{second});
    EXPECT_THROW(remove(dataModule.connection(), *first.key), DatabaseError);

    // A code written by another program is named, never read as another kind.
    execute("UPDATE OBLIGATION_4 SET KIND = 'XX'");
    EXPECT_EQ(errorOf<DatabaseError>([&] { stored(); }),
              "The obligation 2 holds KIND 'XX', which this program does not know.");
}

// Ending the old obligation and adding the new one is one transaction: when
// the database refuses the new one, the old one keeps its open end.
TEST_F(ObligationStoreTest, ChangeFromADateEndsTheOldAndAddsTheNewOrDoesNeither) {
    const Obligation old = add(dataModule.connection(), monthly());
    Obligation raised = old;
    raised.amount = 150000;
    execute("ALTER TABLE OBLIGATION_4 ADD CONSTRAINT ONLY_ONE CHECK (PK < 2)");
    EXPECT_THROW(changeFrom(dataModule.connection(), *old.key, QDate(2024, 6, 1), raised),
                 DatabaseError);
    EXPECT_EQ(stored(), std::vector<Obligation>{old});

    execute("ALTER TABLE OBLIGATION_4 DROP CONSTRAINT ONLY_ONE");
    EXPECT_THROW(changeFrom(dataModule.connection(), *old.key, old.firstDue, raised), Refused);
    EXPECT_EQ(stored(), std::vector<Obligation>{old});

    const Obligation added =
        changeFrom(dataModule.connection(), *old.key, QDate(2024, 6, 1), raised);
    Obligation ended = old;
    ended.lastDue = QDate(2024, 5, 31);
    raised.key = 2;
    raised.firstDue = QDate(2024, 6, 1);
    EXPECT_EQ(added, raised);
    EXPECT_EQ(stored(), (std::vector<Obligation>{ended, raised}));
}

// Payments come as the statement needs them: amounts in cents, a date the
// record holds as absent (1 January 1901, or null) absent.
TEST_F(ObligationStoreTest, PaymentsAreReadWithTheirCentsAndAbsentDates) {
    execute(
        "INSERT INTO QUORVEL_4 (PK, ITEM_DATE, CHECK_NBR, SS_AMT, CS_AMT, DATE_SENT, "
        "DATE_RETURNED) VALUES (45000.25, '2024-02-01', '1001', 1234.56, 0.07, "
        "'2024-02-02', '2024-02-09')");
    execute("INSERT INTO QUORVEL_4 (PK, OTHER_AMT, DATE_CLEAR) VALUES (45001.5, -20.01, NULL)");
    const std::vector<Payment> payments = storedPayments(dataModule.connection());
    ASSERT_EQ(payments.size(), 2u);
    const Payment& unset = payments[0];  // a null item date comes first
    EXPECT_EQ(unset.key, 45001.5);
    EXPECT_FALSE(unset.itemDate || unset.sent || unset.cleared || unset.returned);
    EXPECT_EQ(unset.other, -2001);
    const Payment& sent = payments[1];
    EXPECT_EQ(sent.itemDate, QDate(2024, 2, 1));
    EXPECT_EQ(sent.checkNumber, "1001");
    EXPECT_EQ(sent.spousalSupport, 123456);
    EXPECT_EQ(sent.childSupport, 7);
    EXPECT_EQ(sent.sent, QDate(2024, 2, 2));
    EXPECT_EQ(sent.returned, QDate(2024, 2, 9));
    EXPECT_FALSE(sent.delivered);
}

}  // namespace
