#include "worksearch/week_rules_store.h"

#include "datastore/table_names.h"
#include "jobsearch/job_search_rules.h"
#include "platform/sql_statement.h"
#include "platform/transaction.h"

#include <QSqlQuery>

namespace worksearch {

namespace rule = columns::workSearchRules;

void refuseUnusable(const WeekRules& rules) {
    if (rules.weekStart < Qt::Monday || rules.weekStart > Qt::Sunday)
        throw RulesRefused(QStringLiteral("A week starts on a day from Monday to Sunday."));
    if (rules.requiredPerWeek < 1 || rules.requiredPerWeek > kMostRequiredPerWeek)
        throw RulesRefused(
            QStringLiteral("The contacts required per week must be from 1 to %1, not %2.")
                .arg(kMostRequiredPerWeek)
                .arg(rules.requiredPerWeek));
}

WeekRules loadWeekRules(const QSqlDatabase& connection) {
    WeekRules rules;
    inTransaction(connection, [&] {
        QSqlQuery query =
            executed(connection,
                     QStringLiteral("SELECT FIRST 1 %1, %2, %3, %4, %5 FROM %6")
                         .arg(rule::weekStart, rule::required, rule::differentEmployers,
                              rule::countSubmitted, rule::countFollowUps, tables::workSearchRules));
        if (!query.next())
            return;
        rules = {Qt::DayOfWeek(query.value(0).toInt()), query.value(1).toInt(),
                 job_search::isTrue(query.value(2).toString()),
                 job_search::isTrue(query.value(3).toString()),
                 job_search::isTrue(query.value(4).toString())};
    });
    return rules;
}

void refuseSeveralRows(const QSqlDatabase& connection) {
    int rows = 0;
    inTransaction(connection, [&] {
        QSqlQuery query = executed(
            connection, QStringLiteral("SELECT COUNT(*) FROM %1").arg(tables::workSearchRules));
        rows = query.next() ? query.value(0).toInt() : 0;
    });
    if (rows > 1)
        throw RulesRefused(QStringLiteral("More than one row of work-search rules is stored."));
}

void storeWeekRules(const QSqlDatabase& connection, const WeekRules& rules) {
    refuseUnusable(rules);
    inTransaction(connection, [&] {
        executed(connection, QStringLiteral("DELETE FROM %1").arg(tables::workSearchRules));
        executed(connection,
                 QStringLiteral("INSERT INTO %1 (%2, %3, %4, %5, %6) VALUES (?, ?, ?, ?, ?)")
                     .arg(tables::workSearchRules, rule::weekStart, rule::required,
                          rule::differentEmployers, rule::countSubmitted, rule::countFollowUps),
                 {int(rules.weekStart), rules.requiredPerWeek,
                  job_search::statusText(rules.differentEmployers),
                  job_search::statusText(rules.countSubmitted),
                  job_search::statusText(rules.countFollowUps)});
    });
}

}  // namespace worksearch
