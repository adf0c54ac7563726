#pragma once

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <optional>

namespace history {

struct ChainCheck {
    int rows = 0;
    // The ID of the first row that does not follow the one before (a row
    // edited, inserted or removed), and why; nothing when the chain holds.
    std::optional<qint64> brokenAt;
    QString reason;
    QByteArray lastHash;  // the HASH of the last row, empty when there is none

    bool holds() const { return !brokenAt; }
};

// A row of the history as the walk reads it: its Windows-1252 bytes, valid
// while the row is handed on.
struct WalkedRow {
    QByteArrayView tableName, recordKey, action, changes;
};

// Walks the history from its first row, recomputing each row's hash as
// record_history describes it, until the first row that does not follow;
// every row, also those after that one, is handed to `eachRow`, when given,
// so that another check needs no walk of its own. Reads on an attachment of
// its own. Throws DatabaseError.
ChainCheck verify(const QSqlDatabase& connection,
                  const std::function<void(const WalkedRow&)>& eachRow = {});

}  // namespace history
