#pragma once

#include "obligations/obligation.h"

#include <QDate>

#include <vector>

namespace obligations {

// The due dates of an obligation from `from` to `to`, both included, in
// order. They start at its first due date and end at its last due date,
// which is included when it is a due day. Weekly and every two weeks count
// from the first due date. Monthly and twice a month fall on their days of
// each month from the first due date on; a day past a month's end falls on
// its last day (31 gives 30 April and 28 or 29 February), so that twice a
// month on 30 and 31 is due twice on February's last day. Yearly falls on
// the first due date's month and day, 29 February on the 28th in other
// years. Once is the first due date alone. Nothing without a first due date.
std::vector<QDate> dueDates(const Obligation& obligation, const QDate& from, const QDate& to);

}  // namespace obligations
