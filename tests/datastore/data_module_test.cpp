#include "datastore/data_module.h"
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

}  // namespace
