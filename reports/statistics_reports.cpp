#include "reports/statistics_reports.h"

#include "datastore/field_text.h"
#include "datastore/schema.h"
#include "datastore/table_names.h"
#include "platform/database_error.h"
#include "reports/report_text.h"

#include <QSqlError>
#include <QSqlQuery>

#include <cmath>
#include <vector>

namespace statistics_reports {

namespace {

using report_text::Cell;

constexpr int kGap = 5;
const QString kIndent(11, QLatin1Char(' '));

struct StatisticsRow {
    QString label;
    QString reason;
    QString countText;
    double count = 0;
    double percentage = 0;
};

std::vector<StatisticsRow> readRows(const QSqlDatabase& connection, const QString& table,
                                    const QString& labelColumn, const QString& reasonColumn,
                                    const QStringList& order) {
    const schema::Table& definition = schema::table(table);
    const schema::Column& label = *definition.column(labelColumn);
    const schema::Column* reason =
        reasonColumn.isEmpty() ? nullptr : definition.column(reasonColumn);
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT %1, %2, %3, %4 FROM %5 ORDER BY %6")
                        .arg(label.selectSql(), columns::titleStatistics::count,
                             columns::titleStatistics::percentage,
                             reason ? reason->selectSql() : QStringLiteral("NULL"), table,
                             order.join(QStringLiteral(", ")))))
        throw DatabaseError(query.lastError().text());
    std::vector<StatisticsRow> rows;
    while (query.next()) {
        const QVariant count = query.value(1);
        rows.push_back({field_text::fromValue(label, query.value(0)),
                        reason ? field_text::fromValue(*reason, query.value(3)) : QString(),
                        count.isNull() ? QString() : QString::number(count.toDouble(), 'g', 15),
                        count.toDouble(), query.value(2).toDouble()});
    }
    return rows;
}

QString fourDecimals(float value) {
    return QString::number(double(value), 'f', 4);
}

// The header down to the column headings: the banner, the title, the
// address of the person searching and the heading and rule lines.
QStringList header(const QSqlDatabase& connection, const QString& title,
                   const std::vector<Cell>& headings, const std::vector<Cell>& rules) {
    namespace mine = columns::configuration;
    const QHash<QString, QString> config = report_text::configuration(connection);
    QStringList lines{QString(), QString()};
    lines << report_text::bannerLines();
    lines << QString() << QString() << title << QString() << kIndent + config.value(mine::myName)
          << kIndent + config.value(mine::myAddress)
          << kIndent + report_text::cityLine(config.value(mine::myCity).trimmed(),
                                             config.value(mine::myState), config.value(mine::myZip))
          << QString() << report_text::tableLine(headings, kGap)
          << report_text::tableLine(rules, kGap);
    return lines;
}

// Every row counts in the totals, listed or not; they are added in single
// precision, as the reports always have.
QStringList totals(float count, float percentage) {
    return {report_text::tableLine({{"-----", 45, "_", "Y"}, {"----------", 10, "_", "Y"}}, kGap),
            report_text::tableLine({{"TOTALS", 30, "_", "N"},
                                    {QString::number(double(count), 'f', 0), 10, "_", "Y"},
                                    {fourDecimals(percentage), 10, "_", "Y"}},
                                   kGap)};
}

// A count as an integer, as the listing rules read it.
long long wholeCount(double count) {
    return std::llround(count);
}

}  // namespace

QStringList titleAdvice() {
    return {QString(),
            "This report will be only as current as your statistics are for the job titles.",
            "You should update your statistics at least once per month, after all job searches",
            "have been entered."};
}

QStringList stateAdvice() {
    return {QString(),
            "This report will be only as current as your statistics are for the jobs not "
            "qualified for by state.",
            "You should update your statistics at least once per month, after all job searches",
            "have been entered."};
}

QStringList titleReport(const QSqlDatabase& connection, const QString& computerName) {
    QStringList lines =
        header(connection, "JOB SEARCH REPORT FOR JOB NOT QUALIFIED FOR, BASED ON JOB TITLE FOR : ",
               {{"CATEGORY (1ST 30 CHAR)", 30, "_", "N"},
                {"COUNT", 10, "_", "Y"},
                {"PERCENTAGE", 10, "_", "Y"},
                {"REASON NOT SUBMITTED", 30, "_", "N"}},
               {{QString(22, '-'), 30, "_", "N"},
                {QString(5, '-'), 10, "_", "Y"},
                {QString(10, '-'), 10, "_", "Y"},
                {QString(20, '-'), 30, "_", "N"}});
    const bool oracleMachine = computerName == QLatin1String("VANTERLY");
    float countTotal = 0;
    float percentageTotal = 0;
    for (const StatisticsRow& row :
         readRows(connection, tables::titleStatistics, columns::titleStatistics::category,
                  columns::titleStatistics::reasonNotSubmitted,
                  {columns::titleStatistics::order, columns::titleStatistics::category})) {
        countTotal += float(row.count);
        percentageTotal += float(row.percentage);
        if (wholeCount(row.count) <= -1)
            continue;
        const QString category = oracleMachine && row.label == QLatin1String("DBA")
                                     ? QStringLiteral("ORACLE DBA")
                                     : row.label;
        lines << report_text::tableLine({{category, 30, "_", "N"},
                                         {row.countText, 10, "_", "Y"},
                                         {fourDecimals(float(row.percentage)), 10, "_", "Y"},
                                         {row.reason, 50, "_", "N"}},
                                        kGap);
    }
    return lines << totals(countTotal, percentageTotal);
}

QStringList stateReport(const QSqlDatabase& connection) {
    QStringList lines =
        header(connection, "JOB SEARCH REPORT FOR JOB NOT QUALIFIED FOR, BASED ON STATE: ",
               {{"DISQUALIFIED STATE", 30, "_", "N"},
                {"COUNT", 10, "_", "Y"},
                {"PERCENTAGE", 10, "_", "Y"}},
               {{QString(18, '-'), 30, "_", "N"},
                {QString(5, '-'), 10, "_", "Y"},
                {QString(10, '-'), 10, "_", "Y"}});
    float countTotal = 0;
    float percentageTotal = 0;
    for (const StatisticsRow& row :
         readRows(connection, tables::stateStatistics, columns::stateStatistics::state, QString(),
                  {columns::stateStatistics::state})) {
        countTotal += float(row.count);
        percentageTotal += float(row.percentage);
        if (wholeCount(row.count) <= 0)
            continue;
        lines << report_text::tableLine({{row.label, 30, "_", "N"},
                                         {row.countText, 10, "_", "Y"},
                                         {fourDecimals(float(row.percentage)), 10, "_", "Y"}},
                                        kGap);
    }
    return lines << totals(countTotal, percentageTotal);
}

}  // namespace statistics_reports
