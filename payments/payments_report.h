#pragma once

#include "datastore/sql_condition.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <vector>

// The payments report: the banner, the two address blocks, a line per
// payment with the columns the user ticked, and the totals of the ticked
// amount columns. Amounts are read, added and printed in whole cents.
namespace payments_report {

// The check-list of columns, in its order, with the tick each gets when the
// report form is activated. "Item Date" is always ticked.
struct Item {
    QString name;
    bool tickedAtStart = false;
};
const std::vector<Item>& items();
inline constexpr int kItemDate = 19;
std::vector<bool> startTicks();
// The start ticks and every amount and date column besides: the report that
// leaves no sum or date out.
std::vector<bool> everyAmountAndDateTicks();

// The rows a report lists, a condition on QUORVEL_4, and the line under the
// banner that says which rows these are when they are not all the payments
// of the categories.
struct Selection {
    SqlCondition rows{};
    QString heading{};
};
// The payment categories, used when no selection is set.
Selection categories();
// The categories with an item date from `from` to `to`, both included,
// headed "ITEM DATES 03/01/2004 TO 03/31/2004".
Selection itemDates(const QDate& from, const QDate& to);

// The lines of the report over the selected rows in table order; an empty
// selection lists the categories. Throws DatabaseError.
QStringList build(const QSqlDatabase& connection, const std::vector<bool>& ticks,
                  const Selection& selection);

// "PAYMENTS___" + the time stamp + ".TXT".
QString fileName(const QDateTime& when);

}  // namespace payments_report
