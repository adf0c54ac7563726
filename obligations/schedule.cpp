#include "obligations/schedule.h"

#include <algorithm>

namespace obligations {

namespace {

QDate onDayOfMonth(int year, int month, int day) {
    return QDate(year, month, std::min(day, QDate(year, month, 1).daysInMonth()));
}

// The dates of a fixed step of days counted from the first due date.
void addEveryDays(std::vector<QDate>& dates, const QDate& first, int step, const QDate& start,
                  const QDate& end) {
    const qint64 offset = first.daysTo(start);
    const qint64 steps = offset <= 0 ? 0 : (offset + step - 1) / step;
    for (QDate date = first.addDays(steps * step); date <= end; date = date.addDays(step))
        dates.push_back(date);
}

void addMonthly(std::vector<QDate>& dates, const std::vector<int>& days, const QDate& start,
                const QDate& end) {
    for (QDate month(start.year(), start.month(), 1); month <= end; month = month.addMonths(1)) {
        for (int day : days) {
            const QDate date = onDayOfMonth(month.year(), month.month(), day);
            if (date >= start && date <= end)
                dates.push_back(date);
        }
    }
}

void addYearly(std::vector<QDate>& dates, const QDate& first, const QDate& start,
               const QDate& end) {
    for (int year = start.year(); year <= end.year(); ++year) {
        const QDate date = onDayOfMonth(year, first.month(), first.day());
        if (date >= start && date <= end)
            dates.push_back(date);
    }
}

std::vector<int> daysOfMonth(const Obligation& obligation) {
    if (obligation.frequency == Frequency::Monthly)
        return {obligation.dueDay != 0 ? obligation.dueDay : obligation.firstDue.day()};
    return {std::min(obligation.dueDay, obligation.secondDueDay),
            std::max(obligation.dueDay, obligation.secondDueDay)};
}

}  // namespace

std::vector<QDate> dueDates(const Obligation& obligation, const QDate& from, const QDate& to) {
    std::vector<QDate> dates;
    const QDate& first = obligation.firstDue;
    if (!first.isValid() || !from.isValid() || !to.isValid())
        return dates;
    const QDate start = std::max(from, first);
    const QDate end = obligation.lastDue ? std::min(to, *obligation.lastDue) : to;
    if (start > end)
        return dates;
    switch (obligation.frequency) {
        case Frequency::Weekly:
            addEveryDays(dates, first, 7, start, end);
            break;
        case Frequency::EveryTwoWeeks:
            addEveryDays(dates, first, 14, start, end);
            break;
        case Frequency::TwiceAMonth:
        case Frequency::Monthly:
            addMonthly(dates, daysOfMonth(obligation), start, end);
            break;
        case Frequency::Yearly:
            addYearly(dates, first, start, end);
            break;
        case Frequency::Once:
            if (start == first)
                dates.push_back(first);
            break;
    }
    return dates;
}

}  // namespace obligations
