#pragma once

#include "worksearch/weekly_log.h"

#include <QDate>
#include <QSqlDatabase>

namespace worksearch {

// The weekly log of the period under the stored rules, over the job search
// records of every day of its weeks, the first and last shown whole. Each
// read is a short transaction of its own. Throws DatabaseError.
WeeklyLog storedWeeklyLog(const QSqlDatabase& connection, const QDate& from, const QDate& to);

}  // namespace worksearch
