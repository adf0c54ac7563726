#include "datastore/data_module.h"
#include "tests/support/books_database.h"
#include "tests/support/test_connection.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// Whether another process can attach the file, which the engine refuses
// while this process holds it open.
bool anotherProcessCanAttach(const QString& path) {
    return isql(path, {}, "SELECT COUNT(*) FROM CARRIER_4;\n")
        .split(QRegularExpression("\\s+"), Qt::SkipEmptyParts)
        .endsWith("23");
}

class DataModuleTest : public ::testing::Test, protected BooksDatabase {};

TEST_F(DataModuleTest, OpensEveryTableOnTheConnectionNamedForIt) {
    EXPECT_EQ(dataModule.connection().connectionName(), "IBDatabase_quorvel_4");
    EXPECT_EQ(dataModule.openPath(), path);
    QStringList modelNames;
    for (const QString& table : TDataModule2::openingOrder()) {
        EXPECT_TRUE(dataModule.table(table)->isOpen()) << table.toStdString();
        modelNames.append(dataModule.table(table)->objectName());
    }
    EXPECT_EQ(
        modelNames,
        QStringList({"IBTable_payment_records", "IBTable_carrier", "IBTable_category",
                     "IBTable_city", "IBTable_comment", "IBTable_comment_js", "IBTable_config",
                     "IBTable_contact_name", "IBTable_item", "IBTable_js_edit",
                     "IBTable_job_search", "IBTable_poscode", "IBTable_postitle", "IBTable_reason",
                     "IBTable_stats_jt", "IBTable_stats_st", "IBTable_time10"}));
    EXPECT_EQ(dataModule.table("CARRIER_4")->rowCount(), 23);
    EXPECT_EQ(dataModule.table("TIME10_4")->rowCount(), 144);
}

TEST_F(DataModuleTest, ClosingFreesTheFileForOtherProcesses) {
    EXPECT_FALSE(anotherProcessCanAttach(path));
    dataModule.close();
    EXPECT_FALSE(dataModule.isOpen());
    EXPECT_TRUE(dataModule.openPath().isEmpty());
    EXPECT_TRUE(anotherProcessCanAttach(path));
}

}  // namespace
