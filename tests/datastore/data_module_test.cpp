#include "datastore/data_module.h"
#include "datastore/locations.h"
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

}  // namespace
