#include "payments/payments_report.h"

#include "datastore/field_text.h"
#include "datastore/schema.h"
#include "datastore/table_names.h"
#include "platform/database_error.h"
#include "platform/kbx.h"
#include "reports/report_text.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

#include <cmath>

namespace payments_report {

namespace {

using report_text::Cell;
namespace pay = columns::payments;

constexpr int kGap = 2;

enum class Kind { Date, Amount, Text };

// A column of the report: the check-list item that shows it, its heading,
// the length of the rule under the heading, its width, the flags of its data
// cell and of its heading and rule, and where its cells come from.
struct ReportColumn {
    int item;
    QString heading;
    int rule;
    int width;
    QString dataFlag;
    QString headingFlag;
    QString column;
    Kind kind;
};

const std::vector<ReportColumn>& reportColumns() {
    static const std::vector<ReportColumn> columns = {
        {19, "ITEM DATE", 9, 10, "Y", "Y", pay::itemDate, Kind::Date},
        {2, "CATEGORY", 8, 25, "N", "N", pay::category, Kind::Text},
        {3, "CHECK #", 7, 7, "Y", "Y", pay::checkNbr, Kind::Text},
        {24, "SPOU SUP", 8, 8, "Y", "Y", pay::ssAmt, Kind::Amount},
        {23, "RET PAY", 8, 8, "Y", "Y", pay::rpAmt, Kind::Amount},
        {4, "CHILD SP", 8, 8, "Y", "Y", pay::csAmt, Kind::Amount},
        {22, "OTHER $$", 8, 8, "Y", "Y", pay::otherAmt, Kind::Amount},
        {12, "DATE SENT", 8, 10, "Y", "N", pay::dateSent, Kind::Date},
        {8, "DATE AVL", 8, 10, "Y", "N", pay::dateAvail, Kind::Date},
        {6, "2nd TRY", 8, 10, "Y", "N", pay::date2ndTry, Kind::Date},
        {7, "3RD TRY", 8, 10, "Y", "N", pay::date3rdTry, Kind::Date},
        {10, "DATE DELVD", 10, 10, "Y", "N", pay::dateDel, Kind::Date},
        {9, "DATE CLRD", 9, 10, "Y", "N", pay::dateClear, Kind::Date},
        {15, "SNT TO AVL", 10, 10, "Y", "N", pay::daysSentToAvail, Kind::Text},
        {13, "AVL TO DEL", 10, 10, "Y", "N", pay::daysAvailToDel, Kind::Text},
        {11, "DATE RET", 8, 10, "Y", "N", pay::dateReturned, Kind::Date},
        {17, "SNT TO DEL", 10, 10, "Y", "N", pay::daysSentToDel, Kind::Text},
        {14, "DEL TO CLR", 10, 10, "Y", "N", pay::daysDelToClear, Kind::Text},
        {16, "SNT TO CLR", 10, 10, "Y", "N", pay::daysSentToClear, Kind::Text},
        {0, "CARRIER", 7, 45, "N", "N", pay::carrier, Kind::Text},
        {1, "CARRIER NUMBER", 14, 45, "N", "N", pay::carrNbr, Kind::Text},
        {18, "ITEM", 4, 70, "N", "N", pay::item, Kind::Text},
        {5, "COMMENT ", 8, 70, "N", "N", pay::comment, Kind::Text},
    };
    return columns;
}

constexpr int kItemFilename = 20;
constexpr int kMemo = 21;

const schema::Column& paymentColumn(const QString& name) {
    return *schema::table(tables::payments).column(name);
}

// Whole cents of an amount; the column holds two decimals.
long long centsOf(const QVariant& amount) {
    return std::llround(amount.toDouble() * 100.0);
}

// A report for a court never states a date that never was: the absent date
// prints as blank as a null one.
QString dateCell(const QVariant& value) {
    if (value.isNull() || value.toDate() == field_text::kAbsentDate)
        return QString(10, QLatin1Char('_'));
    // In UTC: a local time would look up the time zone for every cell.
    return kbx::_kbx_Date_To_MM_DD_YYYY(QDateTime(value.toDate(), QTime(), Qt::UTC));
}

// The columns the ticks show, in the report's order.
std::vector<const ReportColumn*> shownColumns(const std::vector<bool>& ticks) {
    std::vector<const ReportColumn*> shown;
    for (const ReportColumn& column : reportColumns())
        if (column.item == kItemDate || ticks.at(column.item))
            shown.push_back(&column);
    return shown;
}

// The shown columns in their order, then the item file and the memo when
// they are ticked (NULL when not): the report reads only what it prints.
QSqlQuery selectRows(const QSqlDatabase& connection, const Selection& selection,
                     const std::vector<const ReportColumn*>& shown,
                     const std::vector<bool>& ticks) {
    QStringList selected;
    for (const ReportColumn* column : shown)
        selected.append(paymentColumn(column->column).selectSql());
    selected << (ticks.at(kItemFilename) ? paymentColumn(pay::itemFile).selectSql() : "NULL")
             << (ticks.at(kMemo) ? QString(pay::memo) : QStringLiteral("NULL"));
    const SqlCondition chosen = selection.rows.isEmpty() ? categories().rows : selection.rows;
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    bool done = query.prepare(
        QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4")
            .arg(selected.join(", "), tables::payments, chosen.whereClause(), pay::pk));
    chosen.bindTo(query);
    if (!done || !query.exec())
        throw DatabaseError(query.lastError().text());
    return query;
}

QStringList headingLines(const std::vector<const ReportColumn*>& shown) {
    std::vector<Cell> headings, rules;
    for (const ReportColumn* column : shown) {
        headings.push_back({column->heading, column->width, "_", column->headingFlag});
        rules.push_back(
            {QString(column->rule, QLatin1Char('-')), column->width, "_", column->headingFlag});
    }
    return {report_text::tableLine(headings, kGap), report_text::tableLine(rules, kGap)};
}

QString cellOf(const ReportColumn& column, const QVariant& value, long long& total) {
    switch (column.kind) {
        case Kind::Date:
            return dateCell(value);
        case Kind::Amount:
            if (value.isNull())
                return QString();
            total += centsOf(value);
            return report_text::centsText(centsOf(value));
        case Kind::Text:
            return field_text::fromValue(paymentColumn(column.column), value);
    }
    return QString();
}

// `cents` holds the total of each shown column, in their order.
QStringList totalLines(const std::vector<const ReportColumn*>& shown,
                       const std::vector<long long>& cents) {
    static const QStringList blankFilled = {pay::itemDate, pay::category, pay::checkNbr, pay::ssAmt,
                                            pay::rpAmt};
    std::vector<Cell> rule;
    std::vector<Cell> sums;
    for (std::size_t position = 0; position < shown.size(); ++position) {
        const ReportColumn* column = shown[position];
        const bool amount = column->kind == Kind::Amount;
        // The amounts' rule of nine hyphens is fitted to their eight places
        // as every cell once was: only numbers now keep every character.
        rule.push_back({QString(amount ? 9 : column->width, QLatin1Char('-')).left(column->width),
                        column->width, blankFilled.contains(column->column) ? " " : "-",
                        column->dataFlag});
        QString sum;
        QString flag = column->column == pay::checkNbr ? "Y" : "N";
        if (column->column == pay::itemDate) {
            sum = QStringLiteral("TOTALS:");
            flag = QStringLiteral("Y");
        } else if (amount) {
            sum = report_text::centsText(cents[position]);
            flag = QStringLiteral("Y");
        }
        sums.push_back({sum, column->width, " ", flag});
    }
    return {report_text::tableLine(rule, kGap), report_text::tableLine(sums, kGap)};
}

}  // namespace

const std::vector<Item>& items() {
    static const std::vector<Item> list = {
        {"Carrier", true},
        {"Carrier Number", false},
        {"Category", true},
        {"Check Number", true},
        {"Child Support Amount", false},
        {"Comment", false},
        {"Date 2nd Del Attempt", false},
        {"Date 3rd Del Attempt", false},
        {"Date Available", false},
        {"Date Cleared", true},
        {"Date Delivered", true},
        {"Date Returned", false},
        {"Date Sent", true},
        {"Days - Avail To Del", false},
        {"Days - Del To Cleared", false},
        {"Days - Sent To Avail", false},
        {"Days - Sent To Cleared", false},
        {"Days - Sent To Delivered", false},
        {"Item", true},
        {"Item Date", true},
        {"Item Filename", false},
        {"Memo", false},
        {"Other Amount", false},
        {"Retired Pay Amount", true},
        {"Spousal Support Amount", true},
    };
    return list;
}

std::vector<bool> startTicks() {
    std::vector<bool> ticks;
    for (const Item& item : items())
        ticks.push_back(item.tickedAtStart);
    return ticks;
}

std::vector<bool> everyAmountAndDateTicks() {
    std::vector<bool> ticks = startTicks();
    for (const ReportColumn& column : reportColumns())
        if (column.kind == Kind::Amount || column.kind == Kind::Date)
            ticks.at(column.item) = true;
    return ticks;
}

Selection categories() {
    static const QStringList names = {"SPOUSAL SUPPORT",
                                      "RETIRED PAY",
                                      "CHILD SUPPORT",
                                      "ATTORNEY FEES",
                                      "CAR INSURANCE",
                                      "CHILD DENTAL PAYMENT",
                                      "CHILD MEDICAL PAYMENT",
                                      "COURT COSTS",
                                      "MEDICAL INSURANCE",
                                      "MORTGAGE PAYMENT",
                                      "OTHER",
                                      "PAYMENTS",
                                      "PAYMENT"};
    QStringList terms;
    for (const QString& name : names)
        terms.append(QStringLiteral("%1 = '%2'").arg(pay::category, name));
    return {{terms.join(QStringLiteral(" OR "))}, QString()};
}

Selection itemDates(const QDate& from, const QDate& to) {
    const auto text = [](const QDate& date) {
        return kbx::_kbx_Date_To_MM_DD_YYYY(QDateTime(date, QTime(), Qt::UTC));
    };
    SqlCondition rows = categories().rows;
    rows.andAlso(dateBetween(pay::itemDate, from, to));
    return {rows, QStringLiteral("ITEM DATES %1 TO %2").arg(text(from), text(to))};
}

QStringList build(const QSqlDatabase& connection, const std::vector<bool>& ticks,
                  const Selection& selection) {
    QStringList lines{QString()};
    lines << report_text::bannerLines() << QString() << QString();
    if (!selection.heading.isEmpty())
        lines << selection.heading << QString();
    lines << report_text::paymentPartiesLines(report_text::configuration(connection));
    const std::vector<const ReportColumn*> shown = shownColumns(ticks);
    std::vector<long long> cents(shown.size(), 0);
    QSqlQuery query = selectRows(connection, selection, shown, ticks);
    const int itemFile = int(shown.size());
    const schema::Column& itemFileColumn = paymentColumn(pay::itemFile);
    const schema::Column& memoColumn = paymentColumn(pay::memo);
    // One fill for every data cell, made once: the cells are many.
    static const QString kDataFill = QStringLiteral("_");
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    bool first = true;
    while (query.next()) {
        // The headings stand once, above the first payment.
        if (first)
            lines << headingLines(shown);
        first = false;
        QString line;
        for (std::size_t position = 0; position < shown.size(); ++position) {
            const ReportColumn& column = *shown[position];
            kbx::_kbx_format_output(cellOf(column, query.value(int(position)), cents[position]),
                                    line, column.width, kGap, kDataFill, column.dataFlag);
        }
        lines << line;
        const QString file = field_text::fromValue(itemFileColumn, query.value(itemFile));
        if (!file.isEmpty())
            lines << QStringLiteral("               ITEM FILE              : ") + file;
        const QString memo = field_text::fromValue(memoColumn, query.value(itemFile + 1));
        if (!memo.isEmpty())
            lines << memo.split(lineBreak);
    }
    return lines << totalLines(shown, cents);
}

QString fileName(const QDateTime& when) {
    return QStringLiteral("PAYMENTS___") + kbx::_kbx_yyyy_mm_dd_hh_mm_ss(when) +
           QStringLiteral(".TXT");
}

}  // namespace payments_report
