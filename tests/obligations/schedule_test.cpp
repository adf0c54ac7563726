#include "obligations/schedule.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QDate& date, std::ostream* out) {
    *out << date.toString(Qt::ISODate).toStdString();
}

namespace {

using namespace obligations;

struct ScheduleCase {
    const char* name;
    Frequency frequency;
    int dueDay, secondDueDay;
    QDate firstDue;
    std::optional<QDate> lastDue;
    QDate from, to;
    std::vector<QDate> expected;
};

QDate d(int year, int month, int day) {
    return QDate(year, month, day);
}

TEST(Schedules, DueDatesOfEachFrequencyBetweenTwoDates) {
    // clang-format off
    const ScheduleCase cases[] = {
        {"monthly on the 31st through a leap year",
         Frequency::Monthly, 31, 0, d(2024, 1, 31), {}, d(2024, 1, 1), d(2024, 12, 31),
         {d(2024, 1, 31), d(2024, 2, 29), d(2024, 3, 31), d(2024, 4, 30), d(2024, 5, 31),
          d(2024, 6, 30), d(2024, 7, 31), d(2024, 8, 31), d(2024, 9, 30), d(2024, 10, 31),
          d(2024, 11, 30), d(2024, 12, 31)}},
        {"monthly on the 31st, February of a common year",
         Frequency::Monthly, 31, 0, d(2022, 12, 31), {}, d(2023, 2, 1), d(2023, 3, 31),
         {d(2023, 2, 28), d(2023, 3, 31)}},
        {"twice a month on 1 and 15, from a first due date on the 15th",
         Frequency::TwiceAMonth, 15, 1, d(2024, 1, 15), {}, d(2024, 1, 1), d(2024, 3, 10),
         {d(2024, 1, 15), d(2024, 2, 1), d(2024, 2, 15), d(2024, 3, 1)}},
        {"every two weeks across a year's end, counted from the first due date",
         Frequency::EveryTwoWeeks, 0, 0, d(2023, 11, 3), {}, d(2023, 12, 20), d(2024, 1, 20),
         {d(2023, 12, 29), d(2024, 1, 12)}},
        {"weekly up to a last due date on a due day",
         Frequency::Weekly, 0, 0, d(2024, 3, 4), d(2024, 3, 25), d(2024, 1, 1), d(2024, 12, 31),
         {d(2024, 3, 4), d(2024, 3, 11), d(2024, 3, 18), d(2024, 3, 25)}},
        {"yearly on 29 February",
         Frequency::Yearly, 0, 0, d(2024, 2, 29), {}, d(2024, 1, 1), d(2026, 12, 31),
         {d(2024, 2, 29), d(2025, 2, 28), d(2026, 2, 28)}},
        {"once, in the period",
         Frequency::Once, 0, 0, d(2024, 6, 10), {}, d(2024, 1, 1), d(2024, 12, 31),
         {d(2024, 6, 10)}},
        {"once, before the period",
         Frequency::Once, 0, 0, d(2024, 6, 10), {}, d(2024, 6, 11), d(2024, 12, 31), {}},
    };
    // clang-format on
    for (const ScheduleCase& c : cases) {
        Obligation obligation;
        obligation.frequency = c.frequency;
        obligation.dueDay = c.dueDay;
        obligation.secondDueDay = c.secondDueDay;
        obligation.firstDue = c.firstDue;
        obligation.lastDue = c.lastDue;
        EXPECT_EQ(dueDates(obligation, c.from, c.to), c.expected) << c.name;
    }
}

}  // namespace
