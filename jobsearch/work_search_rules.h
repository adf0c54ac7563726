#pragma once

#include "platform/program_error.h"

#include <QSqlDatabase>
#include <Qt>

// The rules a week of the job search is held to, as WORK_SEARCH_RULES_4
// keeps them: the day a week starts, the contacts it needs, whether they
// must be with different employers, and which records count as contacts.
namespace job_search {

struct StoredWeekRules {
    Qt::DayOfWeek weekStart = Qt::Sunday;
    int required = 3;
    bool differentEmployers = false;
    bool countSubmitted = true;
    bool countFollowUps = true;

    bool operator==(const StoredWeekRules&) const = default;
};

inline constexpr int kMostRequiredPerWeek = 50;

// Rules that cannot be stored; nothing was written.
class RulesRefused : public ProgramError {
public:
    using ProgramError::ProgramError;
};

// The stored rules, or the default ones where none are stored, read in a
// short transaction of its own. Throws DatabaseError.
StoredWeekRules loadWeekRules(const QSqlDatabase& connection);
// Replaces the stored rules in one transaction. Throws RulesRefused when a
// week would need fewer than 1 or more than 50 contacts, DatabaseError when
// the database fails.
void storeWeekRules(const QSqlDatabase& connection, const StoredWeekRules& rules);

}  // namespace job_search
