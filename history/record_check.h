#pragma once

#include <QSqlDatabase>
#include <QString>

#include <vector>

namespace history {

// A payment record whose value now is not the one its history ends with:
// changed outside the program. A record its history holds but the table no
// longer does has an empty column, and "absent" as its value now.
struct Difference {
    QString recordKey;
    QString column;
    QString inHistory;
    QString now;
};

// Whether a history entry's key names one record: the key of a whole
// table's entry (an import's "<first> TO <last>", a restore's) is no number.
bool namesOneRecord(const QString& recordKey);

// Every difference between the payment records and the values their
// history ends with, in the order of the records' keys and the columns'
// names, as text.
// Records the history does not name are not compared, nor are entries of
// the whole table. Throws DatabaseError.
std::vector<Difference> paymentDifferences(const QSqlDatabase& connection);

}  // namespace history
