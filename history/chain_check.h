#pragma once

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>

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

// Walks the history from its first row, recomputing each row's hash as
// record_history describes it, until the first row that does not follow.
// Reads on an attachment of its own. Throws DatabaseError.
ChainCheck verify(const QSqlDatabase& connection);

}  // namespace history
