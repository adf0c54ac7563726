#include "worksearch/weekly_log.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

using namespace worksearch;

QDate d(const char* iso) {
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

// A record starting a chain of its own, submitted unless told.
Contact contact(double pk, const char* date, const char* time = "09:00", const char* name = "ACME",
                const char* submitted = "TRUE") {
    Contact made;
    made.pk = pk;
    made.refnum = pk;
    made.date = d(date);
    made.time = time;
    made.contactName = name;
    made.submitted = submitted;
    made.active = "TRUE";
    return made;
}

Contact followUp(double pk, double chain, const char* date, const char* submitted = "FALSE") {
    Contact made = contact(pk, date, "10:00", "ACME", submitted);
    made.refnum = chain;
    return made;
}

// Each week as "first day[*]:key,key", "*" marking a week only partly in
// the period.
QString weeksText(const WeeklyLog& log) {
    QStringList weeks;
    for (const Week& week : log.weeks) {
        QStringList keys;
        for (const Contact& counted : week.counted)
            keys << QString::number(*counted.pk);
        weeks << week.first.toString(Qt::ISODate) + (week.partOfPeriod ? "*" : "") + ':' +
                     keys.join(',');
    }
    return weeks.join(' ');
}

WeekRules startingOn(Qt::DayOfWeek day) {
    WeekRules rules;
    rules.weekStart = day;
    return rules;
}

struct WeeksCase {
    const char* name;
    WeekRules rules;
    const char* from;
    const char* to;
    std::vector<Contact> contacts;
    const char* expected;
};

// Around the year's end: Saturday 28 December to Monday 6 January 2025.
std::vector<Contact> yearEnd() {
    return {contact(5, "2025-01-05", "00:00"), contact(4, "2025-01-04", "23:50"),
            contact(3, "2024-12-29", "12:00"), contact(2, "2024-12-29", "00:00"),
            contact(1, "2024-12-28", "23:50"), contact(6, "2025-01-06", "08:00")};
}

// Daylight saving starts on Sunday 9 March 2025 and ends on Sunday 2
// November 2025 in New York, where the weeks are counted; 02:30 on 9 March
// is no local time. A week of 23 or 25 hours must not move a record near
// midnight into the next or the previous week.
std::vector<Contact> daylightSaving() {
    return {contact(1, "2025-03-08", "23:50"), contact(2, "2025-03-09", "02:30"),
            contact(3, "2025-03-09", "00:00"), contact(7, "2025-03-16", "00:30"),
            contact(4, "2025-11-01", "23:50"), contact(5, "2025-11-02", "23:30"),
            contact(6, "2025-11-03", "00:00")};
}

WeekRules differentEmployers() {
    WeekRules rules;
    rules.differentEmployers = true;
    return rules;
}

// Keys: 1 submitted; 2 a follow-up of 1; 3 a follow-up of 1 also submitted;
// 4 neither; 5 submitted but no longer active; 6 without a chain number.
std::vector<Contact> everyKind() {
    Contact inactive = contact(5, "2025-02-04");
    inactive.active = "FALSE";
    Contact unchained = contact(6, "2025-02-04", "11:00", "ACME", "FALSE");
    unchained.refnum.reset();
    return {contact(1, "2025-02-03"),
            followUp(2, 1, "2025-02-04"),
            followUp(3, 1, "2025-02-05", "TRUE"),
            contact(4, "2025-02-05", "09:00", "X", "FALSE"),
            inactive,
            unchained};
}

WeekRules counting(bool submitted, bool followUps) {
    WeekRules rules;
    rules.countSubmitted = submitted;
    rules.countFollowUps = followUps;
    return rules;
}

const std::vector<WeeksCase>& weeksCases() {
    static const std::vector<WeeksCase> cases{
        {"SundayStartAroundYearEnd", startingOn(Qt::Sunday), "2024-12-30", "2025-01-06", yearEnd(),
         "2024-12-29*:2,3,4 2025-01-05*:5,6"},
        {"MondayStartAroundYearEnd", startingOn(Qt::Monday), "2024-12-30", "2025-01-06", yearEnd(),
         "2024-12-30:4,5 2025-01-06*:6"},
        {"SundayStartAcrossDaylightSaving", startingOn(Qt::Sunday), "2025-03-02", "2025-03-22",
         daylightSaving(), "2025-03-02:1 2025-03-09:3,2 2025-03-16:7"},
        {"MondayStartAcrossDaylightSaving", startingOn(Qt::Monday), "2025-10-27", "2025-11-09",
         daylightSaving(), "2025-10-27:4,5 2025-11-03:6"},
        {"PeriodStartingMidWeekShowsTheWeekWholeAndEmptyWeeks",
         WeekRules{},
         "2025-01-08",
         "2025-01-21",
         {contact(1, "2025-01-06"), contact(2, "2025-01-24")},
         "2025-01-05*:1 2025-01-12: 2025-01-19*:2"},
        {"DifferentEmployersCountAnEmployerOncePerWeek",
         differentEmployers(),
         "2025-02-02",
         "2025-02-15",
         {contact(1, "2025-02-03", "09:00", "ACME CORP"),
          contact(2, "2025-02-04", "09:00", " acme corp "),
          contact(3, "2025-02-05", "09:00", "BETA"), contact(4, "2025-02-10", "09:00", "Acme corp"),
          contact(5, "2025-02-06", "09:00", "ACME  CORP"),
          contact(6, "2025-02-06", "10:00", "ACME\tCORP")},
         "2025-02-02:1,3 2025-02-09:4"},
        {"SameEmployerCountsAgainWithoutTheRule",
         WeekRules{},
         "2025-02-02",
         "2025-02-08",
         {contact(1, "2025-02-03", "09:00", "ACME"), contact(2, "2025-02-04", "09:00", " acme ")},
         "2025-02-02:1,2"},
        {"SubmittedAndFollowUpsCounted", counting(true, true), "2025-02-02", "2025-02-08",
         everyKind(), "2025-02-02:1,5,2,3"},
        {"OnlySubmittedCounted", counting(true, false), "2025-02-02", "2025-02-08", everyKind(),
         "2025-02-02:1,5,3"},
        {"OnlyFollowUpsCounted", counting(false, true), "2025-02-02", "2025-02-08", everyKind(),
         "2025-02-02:2,3"},
        {"NothingCounted", counting(false, false), "2025-02-02", "2025-02-08", everyKind(),
         "2025-02-02:"},
        {"TheFirstWeekStartsWithTheCalendar",
         startingOn(Qt::Sunday),
         "0001-01-01",
         "0001-01-08",
         {contact(1, "0001-01-07"), contact(2, "0001-01-01")},
         "0001-01-01:2 0001-01-07*:1"},
        {"APeriodInsideTheCalendarsFirstWeek",
         startingOn(Qt::Sunday),
         "0001-01-02",
         "0001-01-03",
         {contact(1, "0001-01-06"), contact(2, "0001-01-07")},
         "0001-01-01*:1"},
    };
    return cases;
}

TEST(WeeklyLog, WeeksAndTheirCountedContacts) {
    // Counted where the clocks change; this test alone sets the zone.
    qputenv("TZ", "America/New_York");
    tzset();
    for (const WeeksCase& each : weeksCases()) {
        SCOPED_TRACE(each.name);
        EXPECT_EQ(
            weeksText(weeklyLog(each.contacts, each.rules, d(each.from), d(each.to))).toStdString(),
            std::string(each.expected));
    }
}

}  // namespace
