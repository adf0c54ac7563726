#include "datastore/locations.h"
#include "datastore/record_history.h"
#include "datastore/schema_upgrade.h"
#include "history/chain_check.h"
#include "history/record_check.h"
#include "payments/payment_record.h"
#include "platform/firebird.h"
#include "tests/support/test_connection.h"
#include "tests/support/version1_database.h"
#include "tests/support/workspace.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class UpgradeBaselineTest : public ::testing::Test {
protected:
    UpgradeBaselineTest() {
        locations.ensureFolder(locations.databaseFolder());
        makeVersion1Database(path);
        TestConnection old(path);
        old.execute(
            "INSERT INTO QUORVEL_4 (PK, SS_AMT, DATE_CLEAR, MEMO) "
            "VALUES (7.25, 12.5, '2004-02-20', 'paid late')");
        old.execute("INSERT INTO QUORVEL_4 (PK) VALUES (8)");
        old.execute("INSERT INTO JSEARCH_4 (PK, POS_TITLE) VALUES (1, 'CLERK')");
        old.execute("INSERT INTO JSEARCH_4 (PK, POS_TITLE) VALUES (2, 'WELDER')");
    }

    QStringList entries() {
        TestConnection db(path);
        return db.rows("SELECT TABLE_NAME, RECORD_KEY, ACTION, SOURCE FROM HISTORY_4 ORDER BY ID");
    }

    // The chain and the payment records as the batch check sees them.
    void expectHistoryHolds() {
        TestConnection db(path);
        EXPECT_TRUE(history::verify(db.database()).holds());
        EXPECT_TRUE(history::paymentDifferences(db.database()).empty());
    }

    TestWorkspace workspace;
    Locations locations = workspace.locations();
    QString path = locations.databasePath("old");
};

// Each payment gets all its values, the job search records their count and
// digest; a later save chains onto the baseline's values.
TEST_F(UpgradeBaselineTest, EachPaymentIsPresentAtUpgradeWithAllItsValuesAndTheChainHolds) {
    schema_upgrade::upgrade(path, schema_upgrade::storedVersion(path, workspace.documents()), {});

    const QString source = "UPGRADE TO VERSION 3";
    EXPECT_EQ(entries(), QStringList({"QUORVEL_4|7.25|PRESENT AT UPGRADE|" + source,
                                      "QUORVEL_4|8|PRESENT AT UPGRADE|" + source,
                                      "JSEARCH_4||PRESENT AT UPGRADE|" + source}));
    TestConnection db(path);
    const QString first = db.rows("SELECT CHANGES FROM HISTORY_4 WHERE ID = 1").value(0);
    for (const QString line : {"SS_AMT\t\t12.50", "DATE_CLEAR\t\t2004-02-20", "MEMO\t\tpaid late",
                               "DATE_DEL\t\t\n", "ITEM\t\tN/A"})
        EXPECT_TRUE(first.contains(line)) << line.toStdString();
    const record_history::TableDigest jobs = record_history::jobSearchDigest(db.database());
    EXPECT_EQ(db.rows("SELECT CHANGES FROM HISTORY_4 WHERE ID = 3"),
              QStringList("RECORDS\t\t2\nSHA256\t\t" + jobs.sha256));
    expectHistoryHolds();

    db.execute("UPDATE JSEARCH_4 SET POS_TITLE = 'WELDERS' WHERE PK = 2");
    EXPECT_NE(record_history::jobSearchDigest(db.database()).sha256, jobs.sha256);

    PaymentRecord stored = *payments::load(db.database(), 7.25);
    PaymentRecord changed = stored;
    changed.spousalSupport = 1300;
    payments::store(db.database(), changed, "PAYMENT FORM", stored);
    EXPECT_EQ(db.rows("SELECT CHANGES FROM HISTORY_4 WHERE ID = 4"),
              QStringList("SS_AMT\t12.50\t13.00"));
    expectHistoryHolds();
}

// A run ended after the history's table was made and before its baseline:
// the next run writes the baseline rather than making the table again.
TEST_F(UpgradeBaselineTest, ARunEndedBeforeTheBaselineIsCompletedByTheNext) {
    for (const schema::UpgradeStep& step : schema::upgradeSteps())
        if (step.to() <= 3)
            fb::Attachment::attach(path, databaseAccount())
                .executeInOneTransaction(step.statements);
    TestConnection(path).execute("INSERT INTO SCHEMA_VERSION_4 (VERSION_) VALUES (2)");
    const schema_upgrade::StoredVersion ended =
        schema_upgrade::storedVersion(path, workspace.documents());
    ASSERT_TRUE(schema_upgrade::isBehind(ended));

    schema_upgrade::upgrade(path, ended, {});
    EXPECT_EQ(entries().size(), 3);
    EXPECT_EQ(TestConnection(path).rows("SELECT VERSION_ FROM SCHEMA_VERSION_4"),
              QStringList{QString::number(schema::currentVersion())});
    expectHistoryHolds();
}

// A version set back to 2 from outside does not make the upgrade write a
// second baseline, which would take a payment changed since as the values
// present at the upgrade.
TEST_F(UpgradeBaselineTest, AVersionSetBackDoesNotWriteTheBaselineAgain) {
    schema_upgrade::upgrade(path, schema_upgrade::storedVersion(path, workspace.documents()), {});
    TestConnection(path).execute("UPDATE QUORVEL_4 SET SS_AMT = 99 WHERE PK = 8");
    TestConnection(path).execute("UPDATE SCHEMA_VERSION_4 SET VERSION_ = 2");

    schema_upgrade::upgrade(path, schema_upgrade::storedVersion(path, workspace.documents()), {});
    EXPECT_EQ(entries().size(), 3);
    TestConnection db(path);
    EXPECT_EQ(history::paymentDifferences(db.database()).size(), 1);
}

// A version-1 database whose upgrade was killed while Firebird committed the
// tables of the step to version 2 (kept compressed, as that run left it):
// the pages of those tables stay under the next table numbers, and a step
// that makes a table with a primary key there must still succeed.
TEST(UpgradeKilledInStepTest, TheNextRunCompletesTheUpgrade) {
    TestWorkspace workspace;
    const Locations locations = workspace.locations();
    locations.ensureFolder(locations.databaseFolder());
    const QString path = locations.databasePath("killed");
    QFile compressed(QStringLiteral(Q4_TESTS_DIR "/history/version1_killed_in_step.gdb.qz"));
    ASSERT_TRUE(compressed.open(QIODevice::ReadOnly));
    QFile database(path);
    ASSERT_TRUE(database.open(QIODevice::WriteOnly));
    ASSERT_TRUE(database.write(qUncompress(compressed.readAll())) > 0);
    database.close();

    schema_upgrade::upgrade(path, schema_upgrade::storedVersion(path, workspace.documents()), {});
    TestConnection db(path);
    EXPECT_EQ(db.rows("SELECT VERSION_ FROM SCHEMA_VERSION_4"),
              QStringList{QString::number(schema::currentVersion())});
    EXPECT_EQ(db.rows("SELECT COUNT(*) FROM HISTORY_4 WHERE ACTION = 'PRESENT AT UPGRADE'"),
              QStringList("4"));
    EXPECT_TRUE(history::verify(db.database()).holds());
    EXPECT_TRUE(
        db.rows("SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'STEP_SPARE_4'").isEmpty());
}

}  // namespace
