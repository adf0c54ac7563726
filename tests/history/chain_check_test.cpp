#include "history/chain_check.h"
#include "datastore/record_history.h"
#include "datastore/table_names.h"
#include "platform/transaction.h"
#include "tests/support/test_connection.h"
#include "tests/support/workspace.h"

#include <gtest/gtest.h>

namespace {

// A chain of four entries, then `tampering` done with isql-fb, as anyone
// could with a database tool.
history::ChainCheck checkedAfter(const QString& tampering) {
    TestWorkspace workspace;
    const QString path = workspace.copyOfNewDatabase("books");
    {
        TestConnection db(path);
        for (const QString key : {"1", "2", "3", "4"})
            inTransaction(db.database(), [&] {
                record_history::appendEntry(db.database(), {tables::payments, key, "CHANGED",
                                                            "PAYMENT FORM", "SS_AMT\t1.00\t2.00"});
            });
    }
    if (!tampering.isEmpty()) {
        EXPECT_EQ(isql(path, {}, tampering + ";\nCOMMIT;\n"), "");
    }
    TestConnection db(path);
    return history::verify(db.database());
}

TEST(ChainCheck, AnUntouchedChainHoldsAndTheFirstRowChangedRemovedOrInsertedIsNamed) {
    const history::ChainCheck untouched = checkedAfter("");
    EXPECT_TRUE(untouched.holds()) << untouched.reason.toStdString();
    EXPECT_EQ(untouched.rows, 4);
    EXPECT_EQ(untouched.lastHash.size(), 64);

    // A row inserted at the end that links to the last but was not hashed.
    const QString inserted =
        "INSERT INTO HISTORY_4 SELECT 5, MOMENT, TABLE_NAME, RECORD_KEY, "
        "ACTION, SOURCE, CHANGES, HASH, PREV_HASH FROM HISTORY_4 WHERE ID = 4";
    const std::pair<QString, qint64> cases[] = {
        {"UPDATE HISTORY_4 SET CHANGES = 'SS_AMT\t1.00\t9.00' WHERE ID = 2", 2},
        {"UPDATE HISTORY_4 SET MOMENT = MOMENT + 1 WHERE ID = 3", 3},
        {"DELETE FROM HISTORY_4 WHERE ID = 2", 3},
        {"DELETE FROM HISTORY_4 WHERE ID = 1", 2},
        {inserted, 5},
    };
    for (const auto& [tampering, named] : cases)
        EXPECT_EQ(checkedAfter(tampering).brokenAt, named) << tampering.toStdString();
}

}  // namespace
