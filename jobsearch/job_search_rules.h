#pragma once

#include "jobsearch/job_search_record.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <optional>

// The rules of the job-search log, without widgets: the active status, the
// numbers that tie a chain of follow-ups together, the follow-up copy and
// the update of a whole chain.
namespace job_search {

// A status text read as a boolean: true when it begins with T, t, Y or y.
bool isTrue(const QString& text);
// The status text stored for a boolean: "TRUE" or "FALSE".
QString statusText(bool value);

// Whether a save changes the active status, and so ACTIVE_CHANGED: only an
// edit whose status reads differently from when Edit was pressed.
bool activeStatusChanged(bool editing, bool activeWhenEditBegan, const QString& activeText);

// The chain number (REFNUM) and key (PK) a record is saved with: a record
// without a chain number starts a chain of its own, and a record that had
// neither takes the same new number for both, as imported records do.
struct ChainNumbers {
    std::optional<double> refnum;  // set when the record needs one
    std::optional<double> pk;
};
ChainNumbers numbersForSave(bool hasRefnum, bool hasPk, const std::function<double()>& newNumber);
// A new reference number as stored: its decimal text of 15 significant digits.
double storedNumber(double number);

// Sets what follows from a record's other values before it is stored: its
// sort key, the day its active status changed when an edit changed it
// (`activeWhenEditBegan` is nothing for a new record), and its chain number
// and key when it has none.
void completeForSave(JobSearchRecord& record, std::optional<bool> activeWhenEditBegan,
                     const QDate& today, const std::function<double()>& newNumber);

// The record a follow-up of `followed` starts as: the eleven columns it
// continues, its chain number, today's date and an empty memo. Nothing when
// the followed record has no chain number.
std::optional<JobSearchRecord> followupOf(const JobSearchRecord& followed, const QDate& today);

// Gives every record of the chain `refnum` the active status and `today` as
// the day it changed, on the connection's current transaction. Returns how
// many records changed; throws DatabaseError.
int updateChainActiveStatus(const QSqlDatabase& connection, double refnum, bool active,
                            const QDate& today);
// The same in one transaction of its own: all of them change or none.
int setChainActiveStatus(const QSqlDatabase& connection, double refnum, bool active,
                         const QDate& today);

}  // namespace job_search
