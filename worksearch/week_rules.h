#pragma once

#include <Qt>

namespace worksearch {

// What the weekly work-search log asks of each week: the day a week starts,
// how many contacts it needs, whether they must be with different employers,
// and which job search records count as a contact.
struct WeekRules {
    Qt::DayOfWeek weekStart = Qt::Sunday;
    int requiredPerWeek = 3;
    bool differentEmployers = false;
    bool countSubmitted = true;  // applications with SUBMITTED "TRUE"
    bool countFollowUps = true;  // records that join an earlier record's chain

    bool operator==(const WeekRules&) const = default;
};

}  // namespace worksearch
