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

// The stored rules as stored, or the default ones where none are stored,
// read in a short transaction of its own. Throws DatabaseError.
WeekRules loadWeekRules(const QSqlDatabase& connection);
// The stored rules as loadWeekRules reads them, for the log. Throws
// RulesRefused, saying where to set them again, when rules changed from
// outside cannot be used: a week starting on no day from Monday to Sunday,
// needing fewer than 1 or more than 50 contacts, or a second row, of which
// none can say which holds. Throws DatabaseError.
WeekRules usableWeekRules(const QSqlDatabase& connection);
// Replaces the stored rules in one transaction. Throws RulesRefused for
// rules the log could not use, DatabaseError when the database fails.
void storeWeekRules(const QSqlDatabase& connection, const WeekRules& rules);

}  // namespace worksearch
