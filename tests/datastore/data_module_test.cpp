#include "datastore/data_module.h"
#include "tests/support/test_connection.h"
#include "tests/support/workspace.h"

#include <QProcess>
#include <QSqlError>
#include <QSqlRecord>

#include <gtest/gtest.h>

namespace {

QStringList column(const TableModel& model, const QString& name) {
    QStringList values;
    for (int row = 0; row < model.rowCount(); ++row)
        values.append(model.record(row).value(name).toString().trimmed());
    return values;
}

// Whether another process can attach the file, which the engine refuses
// while this process holds it open.
bool anotherProcessCanAttach(const QString& path) {
    QProcess isql;
    isql.start("isql-fb", {"-q", "-user", "SYSDBA", "-password", "plumbtwig", path});
    isql.write("SELECT COUNT(*) FROM CARRIER_4;\n");
    isql.closeWriteChannel();
    isql.waitForFinished(30000);
    return QString::fromUtf8(isql.readAllStandardOutput()).contains("23");
}

class DataModuleTest : public ::testing::Test {
protected:
    TestWorkspace workspace;
    QString path = workspace.copyOfNewDatabase("books");
    TDataModule2 dataModule;
};

TEST_F(DataModuleTest, OpensEveryTableOnTheConnectionNamedForIt) {
    dataModule.open(path);
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

TEST_F(DataModuleTest, RowsComeInKeyOrderOrInTheChosenIndexOrder) {
    {
        TestConnection db(path);
        db.execute("INSERT INTO JSEARCH_4 (PK, YYYYMMDD, TIME_) VALUES (3, '20040102', '09:00')");
        db.execute("INSERT INTO JSEARCH_4 (PK, YYYYMMDD, TIME_) VALUES (1, '20040105', '08:00')");
        db.execute("INSERT INTO JSEARCH_4 (PK, YYYYMMDD, TIME_) VALUES (2, '20040102', '10:30')");
        db.execute("INSERT INTO ITEM_4 (ITEM) VALUES ('ZEBRA')");
        db.execute("INSERT INTO ITEM_4 (ITEM) VALUES ('APPLE')");
    }
    dataModule.open(path);
    TableModel& jobs = *dataModule.table("JSEARCH_4");
    EXPECT_EQ(column(jobs, "PK"), QStringList({"1", "2", "3"}));
    jobs.useIndex("YYYYMMDD_TIME_DESCENDING");
    EXPECT_EQ(column(jobs, "PK"), QStringList({"1", "2", "3"}));
    jobs.useIndex("YYYYMMDD_TIME_ASCENDING");
    EXPECT_EQ(column(jobs, "PK"), QStringList({"3", "2", "1"}));
    EXPECT_EQ(column(*dataModule.table("ITEM_4"), "ITEM"), QStringList({"APPLE", "ZEBRA"}));
    EXPECT_EQ(column(*dataModule.table("STATS_ST_4"), "STATE").mid(0, 3),
              QStringList({"AK", "AL", "AR"}));
}

TEST_F(DataModuleTest, TableWithoutAKeyChangesOnlyTheRowEdited) {
    {
        TestConnection db(path);
        db.execute("INSERT INTO CONFIG_4 (MY_NAME, AUTO_ZIP) VALUES ('TWIN', 1)");
        db.execute("INSERT INTO CONFIG_4 (MY_NAME, AUTO_ZIP) VALUES ('TWIN', 1)");
    }
    dataModule.open(path);
    TableModel& config = *dataModule.table("CONFIG_4");
    ASSERT_EQ(config.rowCount(), 2);
    config.setData(config.index(1, config.fieldIndex("MY_CITY")), "EL PASO");
    ASSERT_TRUE(config.submitAll()) << config.lastError().text().toStdString();
    {
        TestConnection db(path);
        EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM CONFIG_4 WHERE MY_CITY = 'EL PASO'").toInt(), 1);
    }
    config.removeRow(config.rowOf("MY_CITY", QVariant(QMetaType(QMetaType::QString))));
    ASSERT_TRUE(config.submitAll()) << config.lastError().text().toStdString();

    TestConnection db(path);
    EXPECT_EQ(db.rows("SELECT MY_NAME, MY_CITY FROM CONFIG_4"), QStringList("TWIN|EL PASO"));
}

TEST_F(DataModuleTest, TextLongerThanItsColumnIsCutToTheColumn) {
    dataModule.open(path);
    TableModel& cities = *dataModule.table("CITY_4");
    cities.insertRow(0);
    cities.setData(cities.index(0, 0), QString(60, 'X'));
    ASSERT_TRUE(cities.submitAll()) << cities.lastError().text().toStdString();
    TestConnection db(path);
    EXPECT_EQ(db.scalar("SELECT CHAR_LENGTH(TRIM(CITY)) FROM CITY_4").toInt(), 50);
}

TEST_F(DataModuleTest, ClosingFreesTheFileForOtherProcesses) {
    dataModule.open(path);
    EXPECT_FALSE(anotherProcessCanAttach(path));
    dataModule.close();
    EXPECT_FALSE(dataModule.isOpen());
    EXPECT_TRUE(dataModule.openPath().isEmpty());
    EXPECT_TRUE(anotherProcessCanAttach(path));
}

}  // namespace
