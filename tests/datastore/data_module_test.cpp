#include "datastore/data_module.h"
#include "platform/database_error.h"
#include "tests/support/books_database.h"
#include "tests/support/listing.h"

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

}  // namespace
