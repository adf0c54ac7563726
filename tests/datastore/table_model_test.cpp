#include "datastore/field_text.h"
#include "datastore/schema.h"
#include "platform/database_error.h"
#include "platform/transaction.h"
#include "platform/windows1252.h"
#include "tests/support/books_database.h"
#include "tests/support/test_connection.h"

#include <QSqlRecord>

#include <gtest/gtest.h>

namespace {

QStringList column(const TableModel& model, const QString& name) {
    QStringList values;
    for (int row = 0; row < model.rowCount(); ++row)
        values.append(model.record(row).value(name).toString().trimmed());
    return values;
}

class TableModelTest : public ::testing::Test, protected BooksDatabase {};

TEST_F(TableModelTest, RowsComeInKeyOrderOrInTheChosenIndexOrder) {
    execute("INSERT INTO JSEARCH_4 (PK, YYYYMMDD, TIME_) VALUES (3, '20040102', '09:00')");
    execute("INSERT INTO JSEARCH_4 (PK, YYYYMMDD, TIME_) VALUES (1, '20040105', '08:00')");
    execute("INSERT INTO JSEARCH_4 (PK, YYYYMMDD, TIME_) VALUES (2, '20040102', '10:30')");
    execute("INSERT INTO ITEM_4 (ITEM) VALUES ('ZEBRA')");
    execute("INSERT INTO ITEM_4 (ITEM) VALUES ('APPLE')");
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

TEST_F(TableModelTest, TableWithoutAKeyChangesOnlyTheRowEdited) {
    execute("INSERT INTO CONFIG_4 (MY_NAME, AUTO_ZIP) VALUES ('TWIN', 1)");
    execute("INSERT INTO CONFIG_4 (MY_NAME, AUTO_ZIP) VALUES ('TWIN', 1)");
    dataModule.open(path);
    TableModel& config = *dataModule.table("CONFIG_4");
    ASSERT_EQ(config.rowCount(), 2);
    config.setData(config.index(1, config.fieldIndex("MY_CITY")), "EL PASO");
    config.store();
    EXPECT_EQ(count("CONFIG_4", "MY_CITY = 'EL PASO'"), 1);
    config.removeRow(config.rowOf("MY_CITY", QVariant(QMetaType(QMetaType::QString))));
    config.store();
    EXPECT_EQ(rows("SELECT MY_NAME, MY_CITY FROM CONFIG_4"), QStringList("TWIN|EL PASO"));
}

// Every character Windows-1252 holds, 0x80 to 0x9F and the no-break space
// at both ends included, is stored as its one byte in a text column and in
// a memo, and read back unchanged; text is cut to its column's width in
// characters, and what the model shows is what is stored.
TEST_F(TableModelTest, EveryWindows1252CharacterRoundTripsAndTextIsCutToItsColumn) {
    QByteArray bytes("\xa0");
    for (int byte = 0x20; byte <= 0xff; ++byte)
        if (byte != 0x7f && byte != 0x81 && byte != 0x8d && byte != 0x8f && byte != 0x90 &&
            byte != 0x9d)
            bytes.append(char(byte));
    bytes.append('\xa0');
    const QString text = windows1252::decode(bytes);
    ASSERT_EQ(text.size(), 220);
    execute("INSERT INTO JSEARCH_4 (PK) VALUES (1)");
    TableModel& jobs = *dataModule.table("JSEARCH_4");
    jobs.reread();
    jobs.setData(jobs.index(0, jobs.fieldIndex("ITEM_FILE")), text);
    jobs.setData(jobs.index(0, jobs.fieldIndex("MEMO")),
                 field_text::toValue(*schema::table("JSEARCH_4").column("MEMO"), text));
    jobs.setData(jobs.index(0, jobs.fieldIndex("POS_CITY")), QString(49, 'X') + "\u00e9ZZ");
    jobs.store();
    dataModule.close();  // another process may attach only a file no one holds
    EXPECT_EQ(storedBytes(path, "JSEARCH_4", "ITEM_FILE"), QStringList(bytes.toHex().toUpper()));
    EXPECT_EQ(storedBytes(path, "JSEARCH_4", "POS_CITY"),
              QStringList(QString("58").repeated(49) + "E9"));
    dataModule.open(path);
    const QSqlRecord record = dataModule.table("JSEARCH_4")->record(0);
    for (const char* column : {"ITEM_FILE", "MEMO"})
        EXPECT_EQ(
            field_text::fromValue(*schema::table("JSEARCH_4").column(column), record.value(column)),
            text)
            << column;
    EXPECT_EQ(record.value("POS_CITY").toString(), QString(49, 'X') + "\u00e9");
}

TEST_F(TableModelTest, AChangeToARowDeletedMeanwhileIsRefusedAndKept) {
    execute("INSERT INTO CONFIG_4 (MY_NAME) VALUES ('PAT')");
    dataModule.open(path);
    TableModel& carriers = *dataModule.table("CARRIER_4");
    TableModel& config = *dataModule.table("CONFIG_4");
    execute("DELETE FROM CARRIER_4 WHERE CARRIER = 'FEDEX - 1DAY FREIGHT'");
    execute("DELETE FROM CONFIG_4");
    carriers.setData(carriers.index(0, 0), "FEDEX - ONE DAY");
    config.setData(config.index(0, config.fieldIndex("MY_NAME")), "LEE");
    for (TableModel* table : {&carriers, &config}) {
        EXPECT_THROW(table->store(), DatabaseError) << table->tableName().toStdString();
        EXPECT_TRUE(table->isDirty());
    }
    EXPECT_EQ(count("CARRIER_4", "CARRIER = 'FEDEX - ONE DAY'"), 0);
    carriers.revertAll();
    carriers.removeRow(0);
    EXPECT_THROW(carriers.store(), DatabaseError);
}

// Rows are read in blocks as they are shown: a row far down a long table,
// a filtered table and a row searched for beyond what was shown all come
// from the right place.
TEST_F(TableModelTest, ALongTableReadInBlocksShowsEveryRowInItsPlace) {
    execute(
        "EXECUTE BLOCK AS DECLARE i INTEGER = 0; BEGIN WHILE (i < 700) DO BEGIN "
        "INSERT INTO JSEARCH_4 (PK, POS_STATE, POS_CITY) VALUES (:i + 1, "
        "IIF(MOD(:i, 2) = 0, 'TX', 'NM'), 'CITY ' || :i); i = i + 1; END END");
    TableModel& jobs = *dataModule.table("JSEARCH_4");
    jobs.reread();
    ASSERT_EQ(jobs.rowCount(), 700);
    EXPECT_EQ(jobs.record(699).value("POS_CITY").toString().trimmed(), "CITY 699");
    EXPECT_EQ(jobs.record(300).value("POS_CITY").toString().trimmed(), "CITY 300");

    jobs.setFilter("POS_STATE = ? AND PK > ?", {"NM", 100});
    jobs.useIndex("YYYYMMDD_TIME_ASCENDING");
    jobs.reread();
    EXPECT_EQ(jobs.rowCount(), 300);
    EXPECT_EQ(jobs.rowOf("PK", 100.0), -1);  // NM, but not above 100
    EXPECT_EQ(jobs.rowOf("PK", 103.0), -1);  // above 100, but TX
    const int last = jobs.rowOf("PK", 700.0);
    ASSERT_GE(last, 0);
    EXPECT_EQ(jobs.record(last).value("POS_STATE").toString(), "NM");
}

}  // namespace
