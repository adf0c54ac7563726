#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

#include <optional>

// One record of the job-search log (a row of JSEARCH_4) as values. Every
// column may be empty: a null text is NULL, a missing date or number is
// nothing. Statuses are texts as stored ("TRUE", "FALSE"), read by
// job_search::isTrue.
struct JobSearchRecord {
    std::optional<double> pk;
    QString active;
    std::optional<QDate> activeChanged;
    std::optional<double> refnum;  // the chain of follow-ups the record belongs to
    std::optional<QDate> date;
    QString sortKey;  // YYYYMMDD of the date
    QString time;
    QString contactName;
    QString email;
    QString positionType;
    QString city;
    QString state;
    QString title;
    QString originalTitle;
    QString submitted;
    QString reasonNotSubmitted;
    QString itemFile;
    QString comment;
    QString memo;
    QString finalized;
    QString finalComment;

    bool operator==(const JobSearchRecord&) const = default;
};

namespace jobsearch {

// Whether a save carries the record's active status to its whole chain.
enum class Chain { Kept, TakesStatus };

// The record stored under `pk`, read in a short transaction of its own;
// nothing when there is none. Throws DatabaseError.
std::optional<JobSearchRecord> load(const QSqlDatabase& connection, double pk);
// Stores the record: as a new record, or, given the record as it was
// loaded, as the values changed since, the rest of its row staying exactly
// as stored. With Chain::TakesStatus every record of its chain then takes
// its active status and `today` as the day it changed. The record's history
// entry names `source` ("JOB SEARCH FORM", ...) as where the change came
// from. All of it is one transaction: everything is stored or nothing. Text
// is cut to its column's width; text Windows-1252 cannot hold, or a record
// without a key, is refused. Throws DatabaseError.
void store(const QSqlDatabase& connection, const JobSearchRecord& record, const QString& source,
           const std::optional<JobSearchRecord>& loaded = std::nullopt, Chain chain = Chain::Kept,
           const QDate& today = QDate::currentDate());

// Deletes the job search record stored under `pk` in one transaction, with its
// history entry holding every value it had and naming `source`; refuses
// when it is no longer there. Throws DatabaseError.
void remove(const QSqlDatabase& connection, double pk, const QString& source);

// A column's value as the table model holds it, and a column set from one.
QVariant columnValue(const JobSearchRecord& record, const QString& columnName);
void setColumnValue(JobSearchRecord& record, const QString& columnName, const QVariant& value);

}  // namespace jobsearch
