#include "worksearch/stored_weekly_log.h"

#include "worksearch/stored_contacts.h"
#include "worksearch/week_rules_store.h"

#include <algorithm>

namespace worksearch {

namespace {

WeeklyLog logOf(const QSqlDatabase& connection, const WeekRules& rules, const QDate& from,
                const QDate& to) {
    if (to < from)
        return weeklyLog({}, rules, from, to);
    const QDate firstDay = weekStartOf(from, rules.weekStart);
    const QDate lastDay = weekStartOf(to, rules.weekStart).addDays(6);
    return weeklyLog(contactsBetween(connection, firstDay, lastDay), rules, from, to);
}

}  // namespace

WeeklyLog storedWeeklyLog(const QSqlDatabase& connection, const QDate& from, const QDate& to,
                          const QDate& today) {
    const WeekRules rules = usableWeekRules(connection);
    if (to <= today)
        return logOf(connection, rules, from, to);
    // The week holding today has begun, also where the period starts later in it.
    const QDate listedTo =
        weekStartOf(from, rules.weekStart) <= today ? std::max(from, today) : today;
    WeeklyLog log = logOf(connection, rules, from, listedTo);
    log.askedTo = to;
    return log;
}

}  // namespace worksearch
