#include "worksearch/weekly_log.h"

#include "jobsearch/job_search_rules.h"

#include <QSet>

#include <algorithm>
#include <tuple>

namespace worksearch {

namespace {

constexpr int kDaysInWeek = 7;
const QDate kFirstHeldDay(1, 1, 1);

bool earlier(const Contact& left, const Contact& right) {
    return std::tie(*left.date, left.time, left.pk) < std::tie(*right.date, right.time, right.pk);
}

std::vector<Week> emptyWeeks(const QDate& from, const QDate& to, const WeekRules& rules) {
    std::vector<Week> weeks;
    for (QDate first = weekStartOf(from, rules.weekStart); first <= to;
         first = first.addDays(kDaysInWeek)) {
        Week week;
        week.first = std::max(first, kFirstHeldDay);  // the calendar starts inside its first week
        week.last = first.addDays(kDaysInWeek - 1);
        week.partOfPeriod = week.first < from || week.last > to;
        week.required = rules.requiredPerWeek;
        weeks.push_back(std::move(week));
    }
    return weeks;
}

// With different employers required, only the first contact of a week
// with each employer stays.
void keepFirstOfEachEmployer(std::vector<Contact>& counted) {
    QSet<QString> employers;
    std::erase_if(counted, [&employers](const Contact& contact) {
        const QString employer = employerKey(contact.contactName);
        if (employers.contains(employer))
            return true;
        employers.insert(employer);
        return false;
    });
}

// Each counting contact into its week, each week's in date and time order.
void placeContacts(std::vector<Week>& weeks, std::vector<Contact>& contacts,
                   const WeekRules& rules) {
    const QDate first = weekStartOf(weeks.front().first, rules.weekStart);
    const QDate last = weeks.back().last;
    for (Contact& contact : contacts) {
        if (!contact.date || *contact.date < weeks.front().first || *contact.date > last ||
            !countsAsContact(contact, rules))
            continue;
        const auto index = static_cast<size_t>(first.daysTo(*contact.date) / kDaysInWeek);
        weeks[index].counted.push_back(std::move(contact));
    }
    for (Week& week : weeks) {
        std::sort(week.counted.begin(), week.counted.end(), earlier);
        if (rules.differentEmployers)
            keepFirstOfEachEmployer(week.counted);
    }
}

}  // namespace

int Week::shortBy() const {
    return std::max(0, required - static_cast<int>(counted.size()));
}

QDate weekStartOf(const QDate& date, Qt::DayOfWeek weekStart) {
    return date.addDays(-((date.dayOfWeek() - weekStart + kDaysInWeek) % kDaysInWeek));
}

bool isFollowUp(const Contact& contact) {
    return contact.refnum && contact.pk && *contact.pk != *contact.refnum;
}

bool countsAsContact(const Contact& contact, const WeekRules& rules) {
    return (rules.countSubmitted && job_search::isTrue(contact.submitted)) ||
           (rules.countFollowUps && isFollowUp(contact));
}

QString employerKey(const QString& contactName) {
    return contactName.simplified().toUpper();
}

WeeklyLog weeklyLog(std::vector<Contact> contacts, const WeekRules& rules, const QDate& from,
                    const QDate& to) {
    WeeklyLog log;
    log.from = from;
    log.to = to;
    log.rules = rules;
    if (!from.isValid() || !to.isValid() || to < from)
        return log;
    log.weeks = emptyWeeks(from, to, rules);
    placeContacts(log.weeks, contacts, rules);
    for (const Week& week : log.weeks) {
        (week.met() ? log.weeksMet : log.weeksShort) += 1;
        log.contacts += static_cast<int>(week.counted.size());
    }
    return log;
}

}  // namespace worksearch
