#include "datastore/schema.h"

#include "datastore/table_names.h"

#include <stdexcept>

namespace schema {

const QString kVersionTable = tables::schemaVersion;
const QString kImportedFileTable = tables::importedFiles;

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
Column required(Column column) {
    column.notNull = true;
    return column;
}
Column withDefault(Column defaulted, const QString& literal) {
    defaulted.defaultValue = literal;
    return defaulted;
}

const QString kAbsentDate = QStringLiteral("'01/01/1901'");
const QString kAbsentText = QStringLiteral("'N/A'");

namespace pay = columns::payments;
namespace job = columns::jobSearch;
namespace config = columns::configuration;
namespace titleStats = columns::titleStatistics;
namespace stateStats = columns::stateStatistics;
namespace edits = columns::titleEdits;
namespace version = columns::schemaVersion;
namespace imported = columns::importedFiles;
namespace hist = columns::history;
namespace oblig = columns::obligations;
namespace weekRules = columns::workSearchRules;

Table paymentRecords() {
    return {tables::payments,
            {key(numeric(pay::pk, 18, 12)),
             chr(pay::category, 25),
             date(pay::itemDate),
             withDefault(chr(pay::yyyymmdd, 8), "'19010101'"),
             withDefault(date(pay::dateSent), kAbsentDate),
             withDefault(date(pay::dateAvail), kAbsentDate),
             withDefault(date(pay::date1stTry), kAbsentDate),
             withDefault(date(pay::date2ndTry), kAbsentDate),
             withDefault(date(pay::date3rdTry), kAbsentDate),
             withDefault(date(pay::dateDel), kAbsentDate),
             withDefault(date(pay::dateReturned), kAbsentDate),
             withDefault(date(pay::dateClear), kAbsentDate),
             withDefault(integer(pay::daysSentToAvail), "0"),
             withDefault(integer(pay::daysSentToDel), "0"),
             withDefault(integer(pay::daysAvailToDel), "0"),
             withDefault(integer(pay::daysDelToClear), "0"),
             withDefault(integer(pay::daysSentToClear), "0"),
             chr(pay::checkNbr, 6),
             withDefault(chr(pay::item, 80), kAbsentText),
             withDefault(numeric(pay::ssAmt, 10, 2), "0"),
             withDefault(numeric(pay::rpAmt, 10, 2), "0"),
             withDefault(numeric(pay::csAmt, 10, 2), "0"),
             withDefault(numeric(pay::otherAmt, 10, 2), "0"),
             withDefault(chr(pay::carrier, 40), kAbsentText),
             withDefault(chr(pay::carrNbr, 40), kAbsentText),
             withDefault(chr(pay::itemFile, 255), kAbsentText),
             withDefault(chr(pay::shipFile, 255), kAbsentText),
             withDefault(chr(pay::sigFile, 255), kAbsentText),
             withDefault(chr(pay::chkStmt, 255), kAbsentText),
             withDefault(chr(pay::comment, 80), kAbsentText),
             memo(pay::memo, 1)},
            {pay::pk},
            "IBTable_payment_records"};
}

Table jobSearch() {
    return {tables::jobSearch,
            {key(numeric(job::pk, 18, 12)),
             chr(job::active, 5),
             date(job::activeChanged),
             numeric(job::refnum, 18, 12),
             date(job::date),
             chr(job::yyyymmdd, 8),
             chr(job::time, 5),
             chr(job::contactName, 50),
             chr(job::email, 5),
             chr(job::posType, 2),
             chr(job::posCity, 50),
             chr(job::posState, 2),
             chr(job::posTitle, 80),
             chr(job::posTitleOriginal, 80),
             chr(job::submitted, 5),
             chr(job::reasonNoSubmit, 132),
             chr(job::itemFile, 255),
             chr(job::comment, 80),
             memo(job::memo, 10),
             chr(job::finalized, 5),
             chr(job::finalComment, 50)},
            {job::pk},
            "IBTable_job_search"};
}

Table configuration() {
    return {tables::configuration,
            {chr(config::sideBarColor, 15), chr(config::browseStartHere, 80),
             integer(config::autoZip), chr(config::myName, 80), chr(config::myAddress, 80),
             chr(config::myCity, 80), chr(config::myState, 2), chr(config::myZip, 5),
             chr(config::exSpouseName, 80), chr(config::exSpouseSsan, 11),
             chr(config::exSpouseAddress, 80), chr(config::exSpouseCity, 80),
             chr(config::exSpouseState, 80), chr(config::exSpouseZip, 5)},
            {},
            "IBTable_config"};
}

Table titleStatistics() {
    return {tables::titleStatistics,
            {key(integer(titleStats::order)), key(chr(titleStats::category, 50)),
             numeric(titleStats::count, 10, 3), numeric(titleStats::percentage, 10, 3),
             chr(titleStats::reasonNotSubmitted, 80), date(titleStats::asOfDate)},
            {titleStats::order, titleStats::category},
            "IBTable_stats_jt"};
}

Table stateStatistics() {
    return {tables::stateStatistics,
            {key(chr(stateStats::state, 2)), numeric(stateStats::count, 10, 3),
             numeric(stateStats::percentage, 10, 3), date(stateStats::asOfDate)},
            {stateStats::state},
            "IBTable_stats_st"};
}

Table titleEdits() {
    return {tables::titleEdits,
            {key(chr(edits::changeFrom, 132)), chr(edits::changeTo, 132),
             chr(edits::reasonNoSubmit, 132)},
            {edits::changeFrom},
            "IBTable_js_edit"};
}

Table schemaVersion() {
    return {tables::schemaVersion, {key(integer(version::version))}, {version::version}, QString()};
}

// Each mail file imported, known by the SHA-256 of its content.
Table importedFiles() {
    return {
        tables::importedFiles,
        {key(chr(imported::digest, 64)), key(date(imported::importedAt)),
         varchr(imported::kind, 10), varchr(imported::fileName, 1000), integer(imported::records)},
        {imported::digest, imported::importedAt},
        QString()};
}

// Every change to a payment or job search record, one row each, chained by
// the hash of the row before.
Table history() {
    return {tables::history,
            {key(integer(hist::id)), key(date(hist::moment)), key(varchr(hist::tableName, 31)),
             key(varchr(hist::recordKey, 40)), key(varchr(hist::action, 20)),
             key(varchr(hist::source, 1000)), memo(hist::changes, 80),
             key(chr(hist::previousHash, 64)), key(chr(hist::hash, 64))},
            {hist::id},
            QString()};
}

// The support obligations of the orders. The key is a whole number, the
// next after the highest, counted rather than made from the moment as a
// payment's key is: an obligation is entered by hand, and a whole number
// reads back exactly. KIND names the payment amount column it is paid
// through (SS, RP, CS, OT for SS_AMT, RP_AMT, CS_AMT, OTHER_AMT), FREQUENCY
// how often it is due (WK weekly, BW every two weeks, SM twice a month, MO
// monthly, YR yearly, ON once). DUE_DAY is the day of the month of a monthly
// one (0: the first due date's day) and, with SECOND_DUE_DAY, the two days
// of one due twice a month; LAST_DUE is null while it has no end.
Table obligations() {
    return {
        tables::obligations,
        {key(integer(oblig::pk)), required(chr(oblig::kind, 2)),
         required(numeric(oblig::amount, 10, 2)), required(chr(oblig::frequency, 2)),
         required(withDefault(integer(oblig::dueDay), "0")),
         required(withDefault(integer(oblig::secondDueDay), "0")), required(date(oblig::firstDue)),
         date(oblig::lastDue), varchr(oblig::orderRef, 80), memo(oblig::memo, 80)},
        {oblig::pk},
        QString()};
}

// The one row of the rules a week of the job search is held to. WEEK_START
// is the day a week starts, Monday 1 to Sunday 7; the flags are 'TRUE' or
// 'FALSE' as the job search record's are.
Table workSearchRules() {
    return {tables::workSearchRules,
            {required(withDefault(integer(weekRules::weekStart), "7")),
             required(withDefault(integer(weekRules::required), "3")),
             required(withDefault(chr(weekRules::differentEmployers, 5), "'FALSE'")),
             required(withDefault(chr(weekRules::countSubmitted, 5), "'TRUE'")),
             required(withDefault(chr(weekRules::countFollowUps, 5), "'TRUE'"))},
            {},
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
        pickList(tables::contactNames, {chr(columns::contactNames::contactName, 50)},
                 "IBTable_contact_name"),
        pickList(tables::carriers, {chr(columns::carriers::carrier, 40)}, "IBTable_carrier"),
        pickList(tables::categories, {chr(columns::categories::category, 25)}, "IBTable_category"),
        pickList(tables::cities, {chr(columns::cities::city, 50)}, "IBTable_city"),
        pickList(tables::jobSearchComments, {chr(columns::jobSearchComments::comment, 80)},
                 "IBTable_comment_js"),
        pickList(tables::paymentComments, {chr(columns::paymentComments::comment, 80)},
                 "IBTable_comment"),
        configuration(),
        paymentRecords(),
        pickList(tables::items, {varchr(columns::items::item, 80)}, "IBTable_item"),
        titleEdits(),
        jobSearch(),
        pickList(tables::positionCodes,
                 {varchr(columns::positionCodes::posCode, 2),
                  varchr(columns::positionCodes::posDesc, 20)},
                 "IBTable_poscode"),
        pickList(tables::positionQualifications,
                 {chr(columns::positionQualifications::posqual, 20)}, QString()),
        pickList(tables::positionTitles, {chr(columns::positionTitles::posTitle, 80)},
                 "IBTable_postitle"),
        pickList(tables::reasons, {chr(columns::reasons::reason, 132)}, "IBTable_reason"),
        titleStatistics(),
        stateStatistics(),
        pickList(tables::times,
                 {varchr(columns::times::x24Hour, 5), varchr(columns::times::x12Hour, 8)},
                 "IBTable_time10"),
        schemaVersion(),
        importedFiles(),
        history(),
        obligations(),
        workSearchRules(),
    };
}

// The creation log announces an index by its table and columns, some with
// the order written before them.
Index makeIndex(const QString& name, const QString& table, const QStringList& columns,
                bool descending, const QString& announcedOrder = QString()) {
    const QString logLine = QStringLiteral("Attempting to create table index %1%2(%3)")
                                .arg(announcedOrder, table, columns.join(", "));
    return {name, table, columns, descending, logLine};
}
Index ascending(const QString& name, const QString& table, const QStringList& columns,
                const QString& announcedOrder = QString()) {
    return makeIndex(name, table, columns, false, announcedOrder);
}
Index descending(const QString& name, const QString& table, const QStringList& columns,
                 const QString& announcedOrder = QString()) {
    return makeIndex(name, table, columns, true, announcedOrder);
}

std::vector<Index> allIndexes() {
    return {
        ascending("CATEGORY_", tables::payments, {pay::category}),
        ascending("DATE_SENT_", tables::payments, {pay::dateSent}),
        descending("ITEM_DATE_", tables::payments, {pay::itemDate}),
        ascending("YYYYMMDD_", tables::payments, {pay::yyyymmdd}),
        ascending("CONTACT_NAME_", tables::jobSearch, {job::contactName}),
        ascending("POS_STATE_", tables::jobSearch, {job::posState}),
        ascending("POS_STATE_CITY_", tables::jobSearch, {job::posState, job::posCity}),
        descending("REFNUM_YYYYMMDD_POS_TITLE", tables::jobSearch,
                   {job::refnum, job::yyyymmdd, job::posTitle}),
        ascending("YYYYMMDD_TIME_ASCENDING", tables::jobSearch, {job::yyyymmdd, job::time},
                  "ASCENDING "),
        descending("YYYYMMDD_TIME_DESCENDING", tables::jobSearch, {job::yyyymmdd, job::time},
                   "DECSENDING "),
        // The last row of the history, which each new row follows, read at
        // once rather than by sorting every row.
        descending("HISTORY_ID_DESCENDING", tables::history, {hist::id}),
        // A record's own entries, read when its form shows its history.
        ascending("HISTORY_TABLE_RECORD", tables::history, {hist::tableName, hist::recordKey}),
    };
}

std::vector<UpgradeStep> allUpgradeSteps() {
    return {
        {1,
         {"CREATE TABLE SCHEMA_VERSION_4 (VERSION_ INTEGER NOT NULL, PRIMARY KEY (VERSION_))",
          "CREATE TABLE IMPORTED_FILE_4 (DIGEST CHAR(64) NOT NULL, IMPORTED_AT DATE NOT NULL, "
          "KIND VARCHAR(10), FILE_NAME VARCHAR(1000), RECORDS INTEGER, "
          "PRIMARY KEY (DIGEST, IMPORTED_AT))"}},
        {2,
         {"CREATE TABLE HISTORY_4 (ID INTEGER NOT NULL, MOMENT DATE NOT NULL, "
          "TABLE_NAME VARCHAR(31) NOT NULL, RECORD_KEY VARCHAR(40) NOT NULL, "
          "ACTION VARCHAR(20) NOT NULL, SOURCE VARCHAR(1000) NOT NULL, "
          "CHANGES BLOB SUB_TYPE TEXT SEGMENT SIZE 80, PREV_HASH CHAR(64) NOT NULL, "
          "HASH CHAR(64) NOT NULL, PRIMARY KEY (ID))",
          "CREATE DESCENDING INDEX HISTORY_ID_DESCENDING ON HISTORY_4 (ID)",
          "CREATE INDEX HISTORY_TABLE_RECORD ON HISTORY_4 (TABLE_NAME, RECORD_KEY)"}},
        // A version set back from outside runs this step again where the
        // table is: it keeps the table and the obligations it holds.
        {3,
         {"EXECUTE BLOCK AS BEGIN IF (NOT EXISTS (SELECT 1 FROM RDB$RELATIONS "
          "WHERE RDB$RELATION_NAME = 'OBLIGATION_4')) THEN EXECUTE STATEMENT "
          "'CREATE TABLE OBLIGATION_4 (PK INTEGER NOT NULL, KIND CHAR(2) NOT NULL, "
          "AMOUNT NUMERIC(10,2) NOT NULL, FREQUENCY CHAR(2) NOT NULL, "
          "DUE_DAY INTEGER DEFAULT 0 NOT NULL, SECOND_DUE_DAY INTEGER DEFAULT 0 NOT NULL, "
          "FIRST_DUE DATE NOT NULL, LAST_DUE DATE, ORDER_REF VARCHAR(80), "
          "MEMO BLOB SUB_TYPE TEXT SEGMENT SIZE 80, PRIMARY KEY (PK))'; END"}},
        // Made only where it is missing, as the step before.
        {4,
         {"EXECUTE BLOCK AS BEGIN IF (NOT EXISTS (SELECT 1 FROM RDB$RELATIONS "
          "WHERE RDB$RELATION_NAME = 'WORK_SEARCH_RULES_4')) THEN EXECUTE STATEMENT "
          "'CREATE TABLE WORK_SEARCH_RULES_4 (WEEK_START INTEGER DEFAULT 7 NOT NULL, "
          "REQUIRED INTEGER DEFAULT 3 NOT NULL, "
          "DIFFERENT_EMPLOYERS CHAR(5) DEFAULT ''FALSE'' NOT NULL, "
          "COUNT_SUBMITTED CHAR(5) DEFAULT ''TRUE'' NOT NULL, "
          "COUNT_FOLLOWUPS CHAR(5) DEFAULT ''TRUE'' NOT NULL)'; END"}},
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
    return &columns[std::size_t(columnIndex(columnName))];
}

int Table::columnIndex(const QString& columnName) const {
    for (std::size_t each = 0; each < columns.size(); ++each)
        if (columns[each].name == columnName)
            return int(each);
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
