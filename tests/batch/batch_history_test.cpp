#include "datastore/schema.h"
#include "datastore/table_names.h"
#include "payments/payment_record.h"
#include "tests/support/batch_tool.h"
#include "tests/support/test_connection.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// Three entries: payment 1 added and changed, payment 2 added.
class BatchHistoryTest : public ::testing::Test, protected BatchTool {
protected:
    BatchHistoryTest() {
        TestConnection connection(path);
        PaymentRecord first, second;
        first.pk = 1;
        first.spousalSupport = 2900;
        payments::store(connection.database(), first, "PAYMENT FORM");
        PaymentRecord changed = first;
        changed.spousalSupport = 3000;
        changed.cleared = QDate(2004, 2, 20);
        payments::store(connection.database(), changed, "PAYMENT FORM", first);
        second.pk = 2;
        payments::store(connection.database(), second, "PAYMENT FORM");
    }
    // Payment 2 once more under a key that differs from 2 only past the
    // fifteen digits a key is shown with.
    static QString paymentTwoCopied() {
        QStringList values{"2.000000000000001"};
        const schema::Table& payments = schema::table(tables::payments);
        for (std::size_t each = 1; each < payments.columns.size(); ++each)
            values.append(payments.columns[each].name);
        return QString("INSERT INTO QUORVEL_4 SELECT %1 FROM QUORVEL_4 WHERE PK = 2")
            .arg(values.join(", "));
    }
    QString column(const QString& name, int id) const {
        return rows(QString("SELECT %1 FROM HISTORY_4 WHERE ID = %2").arg(name).arg(id)).value(0);
    }
};

TEST_F(BatchHistoryTest, AnUntouchedHistoryVerifiesAndShowsEveryColumnOfTheEntriesAskedFor) {
    EXPECT_EQ(batch({"history", "verify"}), 0) << err.toStdString();
    EXPECT_EQ(out, "The history's chain holds: 3 entries; the last entry, ID 3, has the hash " +
                       column("HASH", 3) +
                       ".\nEvery payment record holds the values its history ends with.\n");

    EXPECT_EQ(batch({"history", "show", "--record", "1", "--from", "2004-01-01"}), 0);
    EXPECT_TRUE(out.startsWith("ID            1\n")) << out.toStdString();
    EXPECT_TRUE(out.endsWith(
        "ID            2\nMoment        " + column("CAST(MOMENT AS VARCHAR(24))", 2).left(19) +
        "\nTable         QUORVEL_4\nRecord key    1\nAction        CHANGED\n"
        "Source        PAYMENT FORM\n"
        "Changes       DATE_CLEAR:  -> 2004-02-20\n"
        "              SS_AMT: 29.00 -> 30.00\n"
        "Previous hash " +
        column("PREV_HASH", 2) + "\nHash          " + column("HASH", 2) + "\n\n2 entries.\n"))
        << out.toStdString();
    const QString tomorrow = QDate::currentDate().addDays(1).toString(Qt::ISODate);
    EXPECT_EQ(batch({"history", "show", "--from", tomorrow}), 0);
    EXPECT_EQ(out, "0 entries.\n");
    EXPECT_EQ(batch({"history", "verify", "--record", "1"}), 2);
    EXPECT_EQ(batch({"history", "list"}), 2);
}

// A payment changed with isql-fb is named with its column and both values,
// also behind a broken chain, and a payment copied under a key shown as
// another's as absent from its history; a history row changed, removed or
// inserted with it is named by its ID.
TEST_F(BatchHistoryTest, WhatADatabaseToolChangedIsNamedAndTheCheckFails) {
    const QString untouched = workspace.documents() + "/untouched.gdb";
    ASSERT_TRUE(QFile::copy(path, untouched));
    const QString broken = "The history's chain is BROKEN at the entry with ID ";
    const std::pair<QString, QString> cases[] = {
        {"UPDATE QUORVEL_4 SET SS_AMT = 9 WHERE PK = 1",
         "\nPayment record 1, SS_AMT: \"30.00\" in its history, \"9.00\" now.\n"},
        {"UPDATE HISTORY_4 SET CHANGES = 'SS_AMT\t29.00\t31.00' WHERE ID = 2",
         broken + "2: its hash is not the hash of its content.\n"},
        {"DELETE FROM HISTORY_4 WHERE ID = 2",
         broken + "3: its ID does not follow the row before.\n"},
        {"INSERT INTO HISTORY_4 SELECT 4, MOMENT, TABLE_NAME, RECORD_KEY, ACTION, SOURCE, "
         "CHANGES, HASH, PREV_HASH FROM HISTORY_4 WHERE ID = 3",
         broken + "4: its hash is not the hash of its content.\n"},
        {"DELETE FROM HISTORY_4 WHERE ID = 1;\nUPDATE QUORVEL_4 SET SS_AMT = 8 WHERE PK = 2",
         "\nPayment record 2, SS_AMT: \"0.00\" in its history, \"8.00\" now.\n"},
        {paymentTwoCopied(), "\nPayment record 2: absent from its history, present now.\n"},
    };
    for (const auto& [tampering, named] : cases) {
        ASSERT_TRUE(QFile::remove(path) && QFile::copy(untouched, path));
        ASSERT_EQ(isql(path, {}, tampering + ";\nCOMMIT;\n"), "");
        EXPECT_EQ(batch({"history", "verify"}), 1) << tampering.toStdString();
        EXPECT_TRUE(out.contains(named)) << tampering.toStdString() << '\n' << out.toStdString();
    }
}

}  // namespace
