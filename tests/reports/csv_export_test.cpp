#include "datastore/field_text.h"
#include "tests/support/batch_tool.h"
#include "tests/support/test_connection.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSqlError>

#include <gtest/gtest.h>

namespace {

using Record = QMap<QString, QString>;

// The file as Python's csv module reads it: one list of fields a record.
QList<QStringList> readCsv(const QString& path) {
    QProcess python;
    python.start("python3", {"-c",
                             "import csv, json, sys\n"
                             "with open(sys.argv[1], newline='', encoding='utf-8') as f:\n"
                             "    print(json.dumps(list(csv.reader(f, strict=True))))",
                             path});
    EXPECT_TRUE(python.waitForFinished());
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    QList<QStringList> records;
    for (const QJsonValue& record :
         QJsonDocument::fromJson(python.readAllStandardOutput()).array()) {
        QStringList fields;
        for (const QJsonValue& field : record.toArray())
            fields << field.toString();
        records << fields;
    }
    return records;
}

class CsvExportTest : public ::testing::Test, protected BatchTool {
protected:
    // Inserts a row as the forms store typed text; dates are given as dates.
    void insert(const QString& tableName, const QMap<QString, QVariant>& typed) {
        const schema::Table& table = schema::table(tableName);
        QStringList names, marks;
        QVariantList values;
        for (auto entry = typed.begin(); entry != typed.end(); ++entry) {
            const schema::Column& column = *table.column(entry.key());
            names << column.name;
            marks << column.parameterSql();
            values << (column.type == schema::Type::Date
                           ? QVariant(entry.value().toDate().startOfDay())
                           : field_text::toValue(column, entry.value().toString()));
        }
        TestConnection connection(path);
        QSqlQuery query(connection.database());
        ASSERT_TRUE(query.prepare(QString("INSERT INTO %1 (%2) VALUES (%3)")
                                      .arg(tableName, names.join(", "), marks.join(", "))))
            << query.lastError().text().toStdString();
        for (const QVariant& value : values)
            query.addBindValue(value);
        ASSERT_TRUE(query.exec()) << query.lastError().text().toStdString();
        connection.database().commit();
    }

    // Each record of the file as column name → value.
    QList<Record> exported(const QString& file) {
        const QList<QStringList> records = readCsv(file);
        QList<Record> rows;
        for (qsizetype record = 1; record < records.size(); ++record) {
            Record row;
            for (qsizetype field = 0; field < records[0].size(); ++field)
                row[records[0][field]] = records[record].value(field);
            rows << row;
        }
        return rows;
    }

    QString file = workspace.documents() + "/out.csv";
};

// Every column of a payment, with text that must be quoted, Windows-1252
// letters, a memo of several lines, an absent and a null date and amounts
// with fewer decimals than two.
TEST_F(CsvExportTest, EveryValueOfAPaymentReadsBackAsStored) {
    const QString memo = "Paid \"in full\", see letter\r\nsecond line\nCafé: 50 €";
    insert("QUORVEL_4", {{"PK", "200402.015625"},
                         {"CATEGORY", "SPOUSAL SUPPORT"},
                         {"ITEM_DATE", QDate(2004, 2, 1)},
                         {"YYYYMMDD", "20040201"},
                         {"DATE_SENT", QDate(2004, 1, 30)},
                         {"DATE_DEL", QDate(2004, 2, 3)},
                         {"DAYS_SENT_TO_DEL", "4"},
                         {"CHECK_NBR", "1042"},
                         {"ITEM", "Cheque, certified"},
                         {"SS_AMT", "1234.5"},
                         {"RP_AMT", "-20"},
                         {"CARRIER", "USPS"},
                         {"COMMENT", "naïve \"quote\""},
                         {"MEMO", memo}});
    ASSERT_EQ(batch({"export", "payments", file}), 0) << err.toStdString();
    EXPECT_EQ(out, "1 records exported to " + file + "\n");

    QStringList columns;
    for (const schema::Column& column : schema::table("QUORVEL_4").columns)
        columns << column.name;
    // The values in the order of the columns.
    const QStringList expected =
        ("200402.015625|SPOUSAL SUPPORT|2004-02-01|20040201|2004-01-30|||||2004-02-03|||0|4|0|0|0|"
         "1042|Cheque, certified|1234.50|-20.00|0.00|0.00|USPS|N/A|N/A|N/A|N/A|N/A|"
         "naïve \"quote\"|" +
         memo)
            .split('|');
    const QList<QStringList> records = readCsv(file);
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0], columns);
    EXPECT_EQ(records[1].size(), expected.size());
    for (qsizetype column = 0; column < columns.size(); ++column)
        EXPECT_EQ(records[1].value(column), expected.value(column))
            << columns[column].toStdString();
}

// --from and --to take the job date's days at both ends; a job search
// record with nulls everywhere exports empty fields.
TEST_F(CsvExportTest, DatesChooseTheJobsFromAndToTheDaysGiven) {
    int key = 10;
    for (const QDate day :
         {QDate(2004, 3, 31), QDate(2004, 4, 1), QDate(2004, 4, 30), QDate(2004, 5, 1)})
        insert("JSEARCH_4", {{"PK", QString::number(++key)}, {"DATE_", day}, {"POS_TITLE", "DBA"}});
    insert("JSEARCH_4", {{"PK", "1"}});
    ASSERT_EQ(batch({"export", "jobs", file, "--from", "2004-04-01", "--to", "2004-04-30"}), 0)
        << err.toStdString();
    QStringList dates;
    for (const auto& row : exported(file))
        dates << row["DATE_"];
    EXPECT_EQ(dates, QStringList({"2004-04-01", "2004-04-30"}));

    ASSERT_EQ(batch({"export", "jobs", file, "--replace"}), 0);
    const Record empty = exported(file).value(0);
    EXPECT_EQ(empty["PK"], "1");
    EXPECT_EQ(empty["DATE_"], "");
    EXPECT_EQ(empty["MEMO"], "");
    EXPECT_EQ(exported(file).size(), 5);

    EXPECT_EQ(batch({"export", "jobs", file, "--from", "April"}), 2);
    EXPECT_EQ(batch({"export", "jobs", file, "--from"}), 2);
}

}  // namespace
