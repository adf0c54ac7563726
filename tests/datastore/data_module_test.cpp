#include "datastore/data_module.h"
#include "platform/database_error.h"
#include "platform/transaction.h"
#include "tests/support/books_database.h"
#include "tests/support/listing.h"

#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

class DataModuleTest : public ::testing::Test, protected BooksDatabase {};

TEST_F(DataModuleTest, OpensEveryTableOnTheConnectionNamedForIt) {
    EXPECT_EQ(dataModule.connection().connectionName(), "IBDatabase_quorvel_4");
    EXPECT_EQ(dataModule.openPath(), path);
    QStringList modelNames;
    for (const QString& table : TDataModule2::openingOrder()) {
        EXPECT_TRUE(dataModule.table(table)->isOpen()) << table.toStdString();
        modelNames.append(dataModule.table(table)->objectName());
    }
    expectListing(modelNames, "datastore/expected_models.txt");
    EXPECT_EQ(dataModule.table("CARRIER_4")->rowCount(), 23);
    EXPECT_EQ(dataModule.table("TIME10_4")->rowCount(), 144);
}

// A file made with a smaller cache, as a restore makes it, gets the
// program's cache when it is opened, and its tables still open.
TEST_F(DataModuleTest, GivesADatabaseWithASmallerCacheTheProgramsCache) {
    const QString pages = "SELECT MON$PAGE_BUFFERS FROM MON$DATABASE";
    EXPECT_EQ(rows(pages), QStringList{QString::number(kDatabasePageBuffers)});
    dataModule.close();
    fb::Attachment::setPageBuffers(path, databaseAccount(), 3000);
    dataModule.open(path);
    EXPECT_EQ(rows(pages), QStringList{QString::number(kDatabasePageBuffers)});
    EXPECT_EQ(dataModule.table("CARRIER_4")->rowCount(), 23);
}

// Work that needs the file free finds the connection closed, and the same
// file is open again afterwards, also when the work failed.
TEST_F(DataModuleTest, WorkWhileClosedFindsTheFileFreeAndReopensItWhateverHappens) {
    bool closedMeanwhile = false;
    EXPECT_THROW(dataModule.whileClosed([&] {
        closedMeanwhile = !dataModule.isOpen();
        throw DatabaseError("the disk is full");
    }),
                 DatabaseError);
    EXPECT_TRUE(closedMeanwhile);
    EXPECT_EQ(dataModule.openPath(), path);
    EXPECT_TRUE(dataModule.table("QUORVEL_4")->isOpen());
}

// What a write committed is announced as the engine counted it, also when
// the work failed after committing part: every model of a table written,
// shared or a form's own, shows the new rows without being told to read.
// A form's own model opens and closes with the database.
TEST_F(DataModuleTest, EveryModelOfATableWrittenShowsItsNewRows) {
    QObject form;
    TableModel& ownCarriers = *dataModule.ownModel("CARRIER_4", &form);
    ownCarriers.setFilter("CARRIER STARTING WITH ?", {"ZZ"});
    ownCarriers.reread();
    QList<QStringList> announced;
    QObject::connect(&dataModule, &TDataModule2::tablesChanged,
                     [&](const QStringList& tables) { announced.append(tables); });
    const QSqlDatabase connection = dataModule.connection();
    auto insert = [&](const QString& statement) { QSqlQuery(connection).exec(statement); };
    EXPECT_THROW(dataModule.write([&] {
        inTransaction(connection, [&] {
            insert("INSERT INTO CARRIER_4 (CARRIER) VALUES ('ZZ POST')");
            insert("INSERT INTO ITEM_4 (ITEM) VALUES ('ZEBRA')");
        });
        throw DatabaseError("the second part failed");
    }),
                 DatabaseError);
    ASSERT_EQ(announced.size(), 1);
    QStringList written = announced[0];
    written.sort();
    EXPECT_EQ(written, QStringList({"CARRIER_4", "ITEM_4"}));
    EXPECT_EQ(dataModule.table("CARRIER_4")->rowCount(), 24);
    EXPECT_EQ(dataModule.table("ITEM_4")->rowCount(), count("ITEM_4"));
    EXPECT_EQ(ownCarriers.rowCount(), 1);

    dataModule.close();
    EXPECT_FALSE(ownCarriers.isOpen());
    dataModule.open(path);
    EXPECT_EQ(ownCarriers.rowCount(), 1);
}

}  // namespace
