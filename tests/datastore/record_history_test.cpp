#include "datastore/record_history.h"
#include "datastore/table_names.h"
#include "platform/database_error.h"
#include "platform/transaction.h"
#include "tests/support/books_database.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

class RecordHistoryTest : public ::testing::Test, protected BooksDatabase {
protected:
    void append(const QString& key, const QString& source, const QString& changes) {
        inTransaction(dataModule.connection(), [&] {
            record_history::appendEntry(dataModule.connection(),
                                        {tables::payments, key, "CHANGED", source, changes});
        });
    }

    // What a program of its own, reading the rows through isql-fb, makes of
    // the chain: the IDs of the rows that do not follow, then "rows: N".
    QString checkedByAnotherProgram() {
        dataModule.close();
        QProcess check;
        check.start("python3", {Q4_TESTS_DIR "/datastore/history_chain_check.py", path});
        EXPECT_TRUE(check.waitForFinished(30000));
        EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardError().toStdString();
        return QString::fromUtf8(check.readAllStandardOutput()).trimmed();
    }
};

// Text outside ASCII, values holding tabs and line breaks, a first row with
// an empty previous hash: another program recomputes every hash, and an
// entry whose transaction is rolled back leaves no gap in the chain.
TEST_F(RecordHistoryTest, ChainIsRecomputedByAnotherProgram) {
    const schema::Table& payments = schema::table(tables::payments);
    QVariantList before(int(payments.columns.size())), after = before;
    const int memo = int(payments.columns.size()) - 1;
    after[memo] = QByteArray("caf\xe9\tsecond\nline \\ \x80");
    const QString changes = record_history::changedValues(payments, before, after);
    EXPECT_EQ(changes, QString("MEMO\t\tcafé\\tsecond\\nline \\\\ €"));

    append("1.5", "PAYMENT FORM", changes);
    append("2", "IMPORT OF Müller.txt", "");
    try {
        Transaction undone(dataModule.connection());
        record_history::appendEntry(dataModule.connection(),
                                    {tables::payments, "3", "ADDED", "PAYMENT FORM", "x"});
        throw DatabaseError("the change itself failed");
    } catch (const DatabaseError&) {
    }
    append("4", "RESTORE", "CATEGORY\tA\tB\nSS_AMT\t1.00\t2.50");
    EXPECT_EQ(rows("SELECT ID, RECORD_KEY FROM HISTORY_4 ORDER BY ID"),
              QStringList({"1|1.5", "2|2", "3|4"}));
    EXPECT_EQ(checkedByAnotherProgram(), "rows: 3");
}

}  // namespace
