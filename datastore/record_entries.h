#pragma once

#include "datastore/record_history.h"

#include <QSqlDatabase>
#include <QString>

#include <vector>

namespace record_history {

// How an entry of a bulk change (an import) names the records it added:
// "<first key> TO <last key>".
inline constexpr char kKeyRangeSeparator[] = " TO ";

// Whether `rangeKey` names a range of keys from its first to its last that
// holds `recordKey`.
bool rangeHolds(const QString& rangeKey, const QString& recordKey);

// The entries that concern one record of `tableName`, newest first: those of
// its key, and those of a bulk change whose range of keys holds it (the
// import that added it). Read in short transactions. Throws DatabaseError.
std::vector<StoredEntry> entriesOfRecord(const QSqlDatabase& connection, const QString& tableName,
                                         const QString& recordKey);

}  // namespace record_history
