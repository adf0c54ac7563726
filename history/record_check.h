#pragma once

#include "history/chain_check.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>

#include <vector>

namespace history {

// A payment record whose value now is not the one its history ends with:
// changed outside the program. A record its history holds but the table no
// longer does has an empty column and "absent" as its value now; a record
// the table holds but its history does not (added outside the program, or
// deleted in the history) has an empty column and "absent" in the history.
struct Difference {
    QString recordKey;
    QString column;
    QString inHistory;
    QString now;
};

// Whether a history entry's key names one record: the key of a whole
// table's entry (an import's "<first> TO <last>", a restore's) is no number.
bool namesOneRecord(const QString& recordKey);

// The values the payment records' history ends with, taken one row of the
// history at a time in the order of the chain.
class PaymentTrail {
public:
    void take(const WalkedRow& row);
    // Every difference between the payment records now and these values,
    // in the order of the records' keys and the columns' names, as text.
    // Reads the payment records in a short transaction. Throws
    // DatabaseError.
    std::vector<Difference> differences(const QSqlDatabase& connection) const;

private:
    // For each record, its columns as its last entries left them; a record
    // whose last entry deleted it is not there.
    QHash<QString, QHash<QString, QString>> records_;
};

// The differences the whole history gives, read on its own (the batch check
// takes them from its walk of the chain). Throws DatabaseError.
std::vector<Difference> paymentDifferences(const QSqlDatabase& connection);

}  // namespace history
