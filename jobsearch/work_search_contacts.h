#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>

#include <optional>
#include <vector>

// A job search record as a contact of the weekly work-search log: what the
// log shows of it and what decides whether it counts.
struct WorkSearchContact {
    std::optional<double> key;
    std::optional<double> refnum;  // the chain of follow-ups the record belongs to
    std::optional<QDate> date;
    QString time;
    QString contactName;
    QString email;  // "TRUE" when the contact was made by e-mail
    QString title;
    QString city;
    QString state;
    QString comment;
    QString submitted;
    QString active;

    bool operator==(const WorkSearchContact&) const = default;
};

namespace jobsearch {

// Every job search record whose DATE_ falls from `from` to `to`, both
// included, in the order of date, time and key, read in one short
// transaction of its own. Throws DatabaseError.
std::vector<WorkSearchContact> contactsBetween(const QSqlDatabase& connection, const QDate& from,
                                               const QDate& to);

}  // namespace jobsearch
