#include "datastore/schema.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

// A misspelt column name stops the operation with a message, never hands
// out a null column to be read.
TEST(SchemaTable, AnUnknownColumnThrowsNamingTableAndColumn) {
    const schema::Table& payments = schema::table("QUORVEL_4");
    EXPECT_EQ(payments.column("ITEM_DATE")->name, "ITEM_DATE");
    try {
        payments.column("ITEM_DAET");
        FAIL() << "no exception";
    } catch (const std::out_of_range& error) {
        EXPECT_EQ(std::string(error.what()), "no column ITEM_DAET in table QUORVEL_4");
    }
}

}  // namespace
