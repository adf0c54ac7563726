#pragma once

#include "obligations/arrears.h"

#include "obligations/obligation.h"
#include "platform/program_error.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>

#include <optional>
#include <vector>

// The obligations as OBLIGATION_4 holds them. Each function is one
// transaction of its own: it writes everything it was asked to, or nothing.
// Text is stored as Windows-1252, cut to its column's width; a character
// Windows-1252 cannot hold is refused. Failures of the database are thrown
// as DatabaseError.
namespace obligations {

// An obligation that cannot be stored as it is: the message says why.
class Refused : public ProgramError {
public:
    using ProgramError::ProgramError;
};

// The short codes KIND and FREQUENCY hold, and the values they stand for;
// nothing for a code this program does not know.
QString kindCode(Kind kind);
QString frequencyCode(Frequency frequency);
std::optional<Kind> kindOfCode(const QString& code);
std::optional<Frequency> frequencyOfCode(const QString& code);

// Every obligation, in the order they were added, read in a short
// transaction. A row with a code this program does not know is named in a
// DatabaseError rather than read as something else.
std::vector<Obligation> loadAll(const QSqlDatabase& connection);

// Adds the obligation under the next key and returns it with that key.
// Refuses what problemWith() refuses, with its message.
Obligation add(const QSqlDatabase& connection, const Obligation& obligation);

// Writes the obligation over the one stored under its key; the columns it
// does not change keep exactly what the row holds. Refuses what problemWith()
// refuses, and an obligation no longer there.
void change(const QSqlDatabase& connection, const Obligation& obligation);

// Deletes the obligation stored under `key`; refuses when it is no longer
// there.
void remove(const QSqlDatabase& connection, qint64 key);

// A change of the order from `from`: the obligation stored under `key` ends
// the day before, and `changed` is added with `from` as its first due date,
// both or neither. Refuses a date that is not after the obligation's first
// due date, one past the day after its last due date, and what problemWith()
// refuses of either. Returns the new obligation with its key.
Obligation changeFrom(const QSqlDatabase& connection, qint64 key, const QDate& from,
                      Obligation changed);

// The arrears statement of the obligations and payments the database holds
// now, each read in a short transaction. Throws DatabaseError.
ArrearsStatement storedStatement(const QSqlDatabase& connection, const QDate& from, const QDate& to,
                                 CountingDate counting);

}  // namespace obligations
