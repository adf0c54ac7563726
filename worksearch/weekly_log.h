#pragma once

#include "worksearch/week_rules.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

// The weekly work-search log as values: the weeks covering a period, each
// with the contacts that count towards it under the rules, and whether it
// meets them. No database, no widgets.
namespace worksearch {

// A job search record as the log reads it. Flags are texts as stored
// ("TRUE", "FALSE").
struct Contact {
    std::optional<double> pk;
    std::optional<double> refnum;  // the chain of follow-ups
    std::optional<QDate> date;
    QString time;  // "HH:MM"
    QString contactName;
    QString email;
    QString title;
    QString city;
    QString state;
    QString comment;
    QString submitted;
    QString active;

    bool operator==(const Contact&) const = default;
};

struct Week {
    QDate first;
    QDate last;
    bool partOfPeriod = false;     // the period starts or ends inside it
    std::vector<Contact> counted;  // by date and time
    int required = 0;

    int shortBy() const;
    bool met() const { return shortBy() == 0; }
};

struct WeeklyLog {
    QDate from;
    QDate to;
    WeekRules rules;
    std::vector<Week> weeks;  // every week of the period, empty ones too
    int weeksMet = 0;
    int weeksShort = 0;
    int contacts = 0;  // counted in all weeks
    // The end of the period asked for where it lay after the day the log
    // was made, `to`: weeks not yet begun are not listed. Else invalid.
    QDate askedTo;
};

// The first day of the week holding `date`.
QDate weekStartOf(const QDate& date, Qt::DayOfWeek weekStart);

// A record that joined another record's chain: it has a chain number and a
// key other than it.
bool isFollowUp(const Contact& contact);

// Whether the rules count the record as a contact at all (the week's
// different-employers rule aside). Inactive records count.
bool countsAsContact(const Contact& contact, const WeekRules& rules);

// Two contact names are the same employer when they are equal in capitals,
// white space around them aside and runs of it inside taken as one blank,
// as the log shows them.
QString employerKey(const QString& contactName);

// The log of the weeks from the one holding `from` to the one holding `to`;
// the first and last of them are shown whole. A record belongs to the week
// of its date, whatever its time; a record without a date to none. No weeks
// when `to` is before `from`.
WeeklyLog weeklyLog(std::vector<Contact> contacts, const WeekRules& rules, const QDate& from,
                    const QDate& to);

}  // namespace worksearch
