#pragma once

#include "datastore/record_history.h"

#include <QSqlDatabase>
#include <QTextStream>

// "history verify" and "history show" of quorvel4-batch.
namespace batch {

// Prints what the check of the history found; returns 0 when the chain
// holds and every payment record has the values its history ends with,
// else 1.
int verifyHistory(const QSqlDatabase& connection, QTextStream& out);

// Prints the entries `filter` names in the order of the chain, one block
// each with every column of the entry, then how many there were; returns 0.
int showHistory(const QSqlDatabase& connection, const record_history::EntryFilter& filter,
                QTextStream& out);

}  // namespace batch
