#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>

namespace evidence_pack {

// Writes history.csv of a pack: every entry of the payments whose item
// date and of the job search records whose job date falls in the period
// (a deleted record by the values its last entry holds), and every entry of
// a whole table (an import, a title step, a restore) made in the period; in
// the order of the chain, the columns of the history in their order, the
// moment with its time of day, so that each entry's hash can be recomputed.
// Returns how many entries it holds. Throws DatabaseError and
// whole_file::WriteError.
int writeHistoryCsv(const QSqlDatabase& connection, const QDate& from, const QDate& to,
                    const QString& path);

}  // namespace evidence_pack
