#include "worksearch/week_rules_store.h"

#include "datastore/table_names.h"
#include "jobsearch/job_search_rules.h"
#include "platform/sql_statement.h"
#include "platform/transaction.h"

#include <QSqlQuery>

#include <vector>

namespace worksearch {

namespace {

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

// Every stored row; there should be one at the most.
std::vector<WeekRules> storedRows(const QSqlDatabase& connection) {
    std::vector<WeekRules> rows;
    inTransaction(connection, [&] {
        QSqlQuery query =
            executed(connection,
                     QStringLiteral("SELECT %1, %2, %3, %4, %5 FROM %6")
                         .arg(rule::weekStart, rule::required, rule::differentEmployers,
                              rule::countSubmitted, rule::countFollowUps, tables::workSearchRules));
        while (query.next())
            rows.push_back({Qt::DayOfWeek(query.value(0).toInt()), query.value(1).toInt(),
                            job_search::isTrue(query.value(2).toString()),
                            job_search::isTrue(query.value(3).toString()),
                            job_search::isTrue(query.value(4).toString())});
    });
    return rows;
}

}  // namespace

WeekRules loadWeekRules(const QSqlDatabase& connection) {
    const std::vector<WeekRules> rows = storedRows(connection);
    return rows.empty() ? WeekRules() : rows.front();
}

WeekRules usableWeekRules(const QSqlDatabase& connection) {
    const std::vector<WeekRules> rows = storedRows(connection);
    try {
        if (rows.size() > 1)
            throw RulesRefused(QStringLiteral("More than one row of work-search rules is stored."));
        const WeekRules rules = rows.empty() ? WeekRules() : rows.front();
        refuseUnusable(rules);
        return rules;
    } catch (const RulesRefused& refusal) {
        throw RulesRefused(QStringLiteral("The work-search rules stored cannot be used: %1 "
                                          "Set them again under Utilities > Work Search Rules.")
                               .arg(refusal.message()));
    }
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
