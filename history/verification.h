#pragma once

#include <QSqlDatabase>
#include <QStringList>

namespace history {

// What the check of the history found, as lines a person reads: whether
// the chain holds (or the first entry that does not follow, and why), the
// hash of the last entry, and each payment record whose values differ from
// what its history ends with.
struct Verification {
    bool holds = false;
    QStringList lines;
};

// Throws DatabaseError.
Verification verification(const QSqlDatabase& connection);

}  // namespace history
