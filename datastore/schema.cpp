#include "datastore/schema.h"

#include <stdexcept>

namespace schema {

const QString kVersionTable = QStringLiteral("SCHEMA_VERSION_4");
const QString kImportedFileTable = QStringLiteral("IMPORTED_FILE_4");

namespace {

Column column(const QString& name, Type type, int size = 0) {
    Column result;
    result.name = name;
    result.type = type;
    result.size = size;
    return result;
}
Column chr(const QString& name, int width) {
    return column(name, Type::Char, width);
}
Column varchr(const QString& name, int width) {
    return column(name, Type::Varchar, width);
}
Column date(const QString& name) {
    return column(name, Type::Date);
}
Column integer(const QString& name) {
    return column(name, Type::Integer);
}
Column numeric(const QString& name, int precision, int scale) {
    Column result = column(name, Type::Numeric, precision);
    result.scale = scale;
    return result;
}
Column memo(const QString& name, int segmentSize) {
    Column result = column(name, Type::BlobText);
    result.segmentSize = segmentSize;
    return result;
}
Column key(Column keyColumn) {
    keyColumn.notNull = true;
    return keyColumn;
}
Column withDefault(Column defaulted, const QString& literal) {
    defaulted.defaultValue = literal;
    return defaulted;
}

const QString kAbsentDate = QStringLiteral("'01/01/1901'");
const QString kAbsentText = QStringLiteral("'N/A'");

Table paymentRecords() {
    return {QStringLiteral("QUORVEL_4"),
            {key(numeric("PK", 18, 12)),
             chr("CATEGORY", 25),
             date("ITEM_DATE"),
             withDefault(chr("YYYYMMDD", 8), "'19010101'"),
             withDefault(date("DATE_SENT"), kAbsentDate),
             withDefault(date("DATE_AVAIL"), kAbsentDate),
             withDefault(date("DATE_1ST_TRY"), kAbsentDate),
             withDefault(date("DATE_2ND_TRY"), kAbsentDate),
             withDefault(date("DATE_3RD_TRY"), kAbsentDate),
             withDefault(date("DATE_DEL"), kAbsentDate),
             withDefault(date("DATE_RETURNED"), kAbsentDate),
             withDefault(date("DATE_CLEAR"), kAbsentDate),
             withDefault(integer("DAYS_SENT_TO_AVAIL"), "0"),
             withDefault(integer("DAYS_SENT_TO_DEL"), "0"),
             withDefault(integer("DAYS_AVAIL_TO_DEL"), "0"),
             withDefault(integer("DAYS_DEL_TO_CLEAR"), "0"),
             withDefault(integer("DAYS_SENT_TO_CLEAR"), "0"),
             chr("CHECK_NBR", 6),
             withDefault(chr("ITEM", 80), kAbsentText),
             withDefault(numeric("SS_AMT", 10, 2), "0"),
             withDefault(numeric("RP_AMT", 10, 2), "0"),
             withDefault(numeric("CS_AMT", 10, 2), "0"),
             withDefault(numeric("OTHER_AMT", 10, 2), "0"),
             withDefault(chr("CARRIER", 40), kAbsentText),
             withDefault(chr("CARR_NBR", 40), kAbsentText),
             withDefault(chr("ITEM_FILE", 255), kAbsentText),
             withDefault(chr("SHIP_FILE", 255), kAbsentText),
             withDefault(chr("SIG_FILE", 255), kAbsentText),
             withDefault(chr("CHK_STMT", 255), kAbsentText),
             withDefault(chr("COMMENT", 80), kAbsentText),
             memo("MEMO", 1)},
            {"PK"},
            "IBTable_payment_records"};
}

Table jobSearch() {
    return {QStringLiteral("JSEARCH_4"),
            {key(numeric("PK", 18, 12)),
             chr("ACTIVE_", 5),
             date("ACTIVE_CHANGED"),
             numeric("REFNUM", 18, 12),
             date("DATE_"),
             chr("YYYYMMDD", 8),
             chr("TIME_", 5),
             chr("CONTACT_NAME", 50),
             chr("EMAIL", 5),
             chr("POS_TYPE", 2),
             chr("POS_CITY", 50),
             chr("POS_STATE", 2),
             chr("POS_TITLE", 80),
             chr("POS_TITLE_ORIGINAL", 80),
             chr("SUBMITTED", 5),
             chr("REASON_NO_SUBMIT", 132),
             chr("ITEM_FILE", 255),
             chr("COMMENT", 80),
             memo("MEMO", 10),
             chr("FINALIZED", 5),
             chr("FINAL_COMMENT", 50)},
            {"PK"},
            "IBTable_job_search"};
}

Table configuration() {
    return {QStringLiteral("CONFIG_4"),
            {chr("SIDE_BAR_COLOR", 15), chr("BROWSE_START_HERE", 80), integer("AUTO_ZIP"),
             chr("MY_NAME", 80), chr("MY_ADDRESS", 80), chr("MY_CITY", 80), chr("MY_STATE", 2),
             chr("MY_ZIP", 5), chr("EX_SPOUSE_NAME", 80), chr("EX_SPOUSE_SSAN", 11),
             chr("EX_SPOUSE_ADDRESS", 80), chr("EX_SPOUSE_CITY", 80), chr("EX_SPOUSE_STATE", 80),
             chr("EX_SPOUSE_ZIP", 5)},
            {},
            "IBTable_config"};
}

Table titleStatistics() {
    return {QStringLiteral("STATS_JT_4"),
            {key(integer("ORDER_")), key(chr("CATEGORY", 50)), numeric("COUNT_", 10, 3),
             numeric("PERCENTAGE", 10, 3), chr("REASON_NOT_SUBMITTED", 80), date("AS_OF_DATE")},
            {"ORDER_", "CATEGORY"},
            "IBTable_stats_jt"};
}

Table stateStatistics() {
    return {QStringLiteral("STATS_ST_4"),
            {key(chr("STATE", 2)), numeric("COUNT_", 10, 3), numeric("PERCENTAGE", 10, 3),
             date("AS_OF_DATE")},
            {"STATE"},
            "IBTable_stats_st"};
}

Table titleEdits() {
    return {QStringLiteral("JS_EDIT_4"),
            {key(chr("CHANGE_FROM", 132)), chr("CHANGE_TO", 132), chr("REASON_NO_SUBMIT", 132)},
            {"CHANGE_FROM"},
            "IBTable_js_edit"};
}

Table schemaVersion() {
    return {kVersionTable, {key(integer("VERSION_"))}, {"VERSION_"}, QString()};
}

// Each mail file imported, known by the SHA-256 of its content.
Table importedFiles() {
    return {kImportedFileTable,
            {key(chr("DIGEST", 64)), key(date("IMPORTED_AT")), varchr("KIND", 10),
             varchr("FILE_NAME", 1000), integer("RECORDS")},
            {"DIGEST", "IMPORTED_AT"},
            QString()};
}

// A pick list: its columns are its key.
Table pickList(const QString& name, std::vector<Column> columns, const QString& modelName) {
    Table table{name, {}, {}, modelName};
    for (const Column& keyPart : columns) {
        table.primaryKey.append(keyPart.name);
        table.columns.push_back(key(keyPart));
    }
    return table;
}

std::vector<Table> allTables() {
    return {
        pickList("CONTACT_NAME_4", {chr("CONTACT_NAME", 50)}, "IBTable_contact_name"),
        pickList("CARRIER_4", {chr("CARRIER", 40)}, "IBTable_carrier"),
        pickList("CATEGORY_4", {chr("CATEGORY", 25)}, "IBTable_category"),
        pickList("CITY_4", {chr("CITY", 50)}, "IBTable_city"),
        pickList("COMMENT_JS_4", {chr("COMMENT", 80)}, "IBTable_comment_js"),
        pickList("COMMENT_4", {chr("COMMENT", 80)}, "IBTable_comment"),
        configuration(),
        paymentRecords(),
        pickList("ITEM_4", {varchr("ITEM", 80)}, "IBTable_item"),
        titleEdits(),
        jobSearch(),
        pickList("POSCODE_4", {varchr("POS_CODE", 2), varchr("POS_DESC", 20)}, "IBTable_poscode"),
        pickList("POSQUAL_4", {chr("POSQUAL", 20)}, QString()),
        pickList("POSTITLE_4", {chr("POS_TITLE", 80)}, "IBTable_postitle"),
        pickList("REASON_4", {chr("REASON", 132)}, "IBTable_reason"),
        titleStatistics(),
        stateStatistics(),
        pickList("TIME10_4", {varchr("X24_HOUR", 5), varchr("X12_HOUR", 8)}, "IBTable_time10"),
        schemaVersion(),
        importedFiles(),
    };
}

Index ascending(const QString& name, const QString& table, const QStringList& columns,
                const QString& logLine) {
    return {name, table, columns, false, logLine};
}
Index descending(const QString& name, const QString& table, const QStringList& columns,
                 const QString& logLine) {
    return {name, table, columns, true, logLine};
}

std::vector<Index> allIndexes() {
    const QString announce = QStringLiteral("Attempting to create table index ");
    return {
        ascending("CATEGORY_", "QUORVEL_4", {"CATEGORY"}, announce + "QUORVEL_4(CATEGORY)"),
        ascending("DATE_SENT_", "QUORVEL_4", {"DATE_SENT"}, announce + "QUORVEL_4(DATE_SENT)"),
        descending("ITEM_DATE_", "QUORVEL_4", {"ITEM_DATE"}, announce + "QUORVEL_4(ITEM_DATE)"),
        ascending("YYYYMMDD_", "QUORVEL_4", {"YYYYMMDD"}, announce + "QUORVEL_4(YYYYMMDD)"),
        ascending("CONTACT_NAME_", "JSEARCH_4", {"CONTACT_NAME"},
                  announce + "JSEARCH_4(CONTACT_NAME)"),
        ascending("POS_STATE_", "JSEARCH_4", {"POS_STATE"}, announce + "JSEARCH_4(POS_STATE)"),
        ascending("POS_STATE_CITY_", "JSEARCH_4", {"POS_STATE", "POS_CITY"},
                  announce + "JSEARCH_4(POS_STATE, POS_CITY)"),
        descending("REFNUM_YYYYMMDD_POS_TITLE", "JSEARCH_4", {"REFNUM", "YYYYMMDD", "POS_TITLE"},
                   announce + "JSEARCH_4(REFNUM, YYYYMMDD, POS_TITLE)"),
        ascending("YYYYMMDD_TIME_ASCENDING", "JSEARCH_4", {"YYYYMMDD", "TIME_"},
                  announce + "ASCENDING JSEARCH_4(YYYYMMDD, TIME_)"),
        descending("YYYYMMDD_TIME_DESCENDING", "JSEARCH_4", {"YYYYMMDD", "TIME_"},
                   announce + "DECSENDING JSEARCH_4(YYYYMMDD, TIME_)"),
    };
}

std::vector<UpgradeStep> allUpgradeSteps() {
    return {
        {1,
         {"CREATE TABLE SCHEMA_VERSION_4 (VERSION_ INTEGER NOT NULL, PRIMARY KEY (VERSION_))",
          "CREATE TABLE IMPORTED_FILE_4 (DIGEST CHAR(64) NOT NULL, IMPORTED_AT DATE NOT NULL, "
          "KIND VARCHAR(10), FILE_NAME VARCHAR(1000), RECORDS INTEGER, "
          "PRIMARY KEY (DIGEST, IMPORTED_AT))"}},
    };
}

}  // namespace

int currentVersion() {
    return upgradeSteps().back().to();
}

const std::vector<UpgradeStep>& upgradeSteps() {
    static const std::vector<UpgradeStep> steps = allUpgradeSteps();
    return steps;
}

QString Column::selectSql() const {
    if (!isText())
        return name;
    return QStringLiteral(
               "CAST(CAST(%1 AS VARCHAR(%2) CHARACTER SET WIN1252) AS VARCHAR(%2) "
               "CHARACTER SET UTF8) AS %1")
        .arg(name)
        .arg(size);
}

QString Column::parameterSql() const {
    if (!isText())
        return QStringLiteral("?");
    return QStringLiteral(
               "CAST(CAST(? AS VARCHAR(%1) CHARACTER SET UTF8) AS VARCHAR(%1) CHARACTER SET "
               "WIN1252)")
        .arg(size);
}

QString Column::typeSql() const {
    switch (type) {
        case Type::Char:
            return QStringLiteral("CHAR(%1)").arg(size);
        case Type::Varchar:
            return QStringLiteral("VARCHAR(%1)").arg(size);
        case Type::Date:
            return QStringLiteral("DATE");
        case Type::Integer:
            return QStringLiteral("INTEGER");
        case Type::Numeric:
            return QStringLiteral("NUMERIC(%1,%2)").arg(size).arg(scale);
        case Type::BlobText:
            return QStringLiteral("BLOB SUB_TYPE TEXT SEGMENT SIZE %1").arg(segmentSize);
    }
    return QString();
}

bool Column::absentIsOldDate() const {
    return type == Type::Date && defaultValue == kAbsentDate;
}

const Column* Table::column(const QString& columnName) const {
    for (const Column& candidate : columns)
        if (candidate.name == columnName)
            return &candidate;
    throw std::out_of_range("no column " + columnName.toStdString() + " in table " +
                            name.toStdString());
}

const std::vector<Table>& tables() {
    static const std::vector<Table> definitions = allTables();
    return definitions;
}

const std::vector<Index>& indexes() {
    static const std::vector<Index> definitions = allIndexes();
    return definitions;
}

const Table& table(const QString& name) {
    for (const Table& candidate : tables())
        if (candidate.name == name)
            return candidate;
    throw std::out_of_range("no table " + name.toStdString());
}

const Index& index(const QString& name) {
    for (const Index& candidate : indexes())
        if (candidate.name == name)
            return candidate;
    throw std::out_of_range("no index " + name.toStdString());
}

QString createTableSql(const Table& table) {
    QStringList definitions;
    for (const Column& column : table.columns) {
        QString definition = column.name + QLatin1Char(' ') + column.typeSql();
        if (!column.defaultValue.isEmpty())
            definition += QStringLiteral(" DEFAULT ") + column.defaultValue;
        if (column.notNull)
            definition += QStringLiteral(" NOT NULL");
        definitions.append(definition);
    }
    if (!table.primaryKey.isEmpty())
        definitions.append(QStringLiteral("PRIMARY KEY (%1)").arg(table.primaryKey.join(", ")));
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(table.name, definitions.join(", "));
}

QString createIndexSql(const Index& index) {
    return QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
        .arg(index.descending ? QStringLiteral("DESCENDING ") : QString(), index.name, index.table,
             index.columns.join(", "));
}

}  // namespace schema
