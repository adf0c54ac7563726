#pragma once

#include "worksearch/weekly_log.h"

#include <QDate>
#include <QSqlDatabase>

namespace worksearch {

// The weekly log of the period under the stored rules, over the job search
// records of every day of its weeks, the first and last shown whole. A
// period running past `today` ends with the week holding it (on the
// period's first day where that is later in the week): a week not yet begun
// is neither met nor short. Each read is a short transaction of its own. Throws
// RulesRefused when the stored rules are unusable (changed from outside),
// DatabaseError.
WeeklyLog storedWeeklyLog(const QSqlDatabase& connection, const QDate& from, const QDate& to,
                          const QDate& today = QDate::currentDate());

}  // namespace worksearch
