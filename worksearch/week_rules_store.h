#pragma once

#include "platform/program_error.h"
#include "worksearch/week_rules.h"

#include <QSqlDatabase>

// The week rules as WORK_SEARCH_RULES_4 keeps them, in its one row.
namespace worksearch {

inline constexpr int kMostRequiredPerWeek = 50;

// Rules that cannot be stored; nothing was written.
class RulesRefused : public ProgramError {
public:
    using ProgramError::ProgramError;
};

// Throws RulesRefused when a week would start on no day from Monday to
// Sunday or need fewer than 1 or more than 50 contacts.
void refuseUnusable(const WeekRules& rules);

// The stored rules as stored, or the default ones where none are stored,
// read in a short transaction of its own. Throws DatabaseError.
WeekRules loadWeekRules(const QSqlDatabase& connection);
// Throws RulesRefused when more than one row of rules is stored (from
// outside): which of them holds is not known. Throws DatabaseError.
void refuseSeveralRows(const QSqlDatabase& connection);
// Replaces the stored rules in one transaction. Throws RulesRefused for
// rules refuseUnusable refuses, DatabaseError when the database fails.
void storeWeekRules(const QSqlDatabase& connection, const WeekRules& rules);

}  // namespace worksearch
