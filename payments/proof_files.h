#pragma once

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>

// The file a payment names as its proof (ITEM_FILE: a scan of the cheque,
// a receipt, a carrier's confirmation) and whether it is still there.
namespace proof_files {

// The path a stored ITEM_FILE names; empty when it names none ("N/A").
QString namedFile(const QString& itemFile);
// Whether the payment names a file that is not there.
bool isMissing(const QString& itemFile);

struct Proof {
    double pk = 0;
    QDate itemDate{};
    QString category{};
    QString path{};
};

// Every payment that names a proof file, in item-date order; with valid
// dates only those of the item dates from `from` to `to`, both included.
// Throws DatabaseError.
QList<Proof> namedProofs(const QSqlDatabase& connection, const QDate& from = {},
                         const QDate& to = {});

}  // namespace proof_files
