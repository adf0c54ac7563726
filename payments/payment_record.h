#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

#include <optional>

// One payment (a row of QUORVEL_4) as values. A date that did not happen is
// absent, stored as 1 January 1901; amounts are whole cents. A new record
// holds what the table gives a row nothing else is written to.
struct PaymentRecord {
    std::optional<double> pk;
    QString category;
    std::optional<QDate> itemDate;
    QString sortKey = QStringLiteral("19010101");  // YYYYMMDD of the item date
    std::optional<QDate> sent, available, firstTry, secondTry, thirdTry, delivered, returned,
        cleared;
    int daysSentToAvailable = 0;
    int daysSentToDelivered = 0;
    int daysAvailableToDelivered = 0;
    int daysDeliveredToCleared = 0;
    int daysSentToCleared = 0;
    QString checkNumber;
    QString item = QStringLiteral("N/A");
    qint64 spousalSupport = 0;
    qint64 retiredPay = 0;
    qint64 childSupport = 0;
    qint64 other = 0;
    QString carrier = QStringLiteral("N/A");
    QString carrierNumber = QStringLiteral("N/A");
    QString itemFile = QStringLiteral("N/A");
    QString shipFile = QStringLiteral("N/A");
    QString signatureFile = QStringLiteral("N/A");
    QString checkStatement = QStringLiteral("N/A");
    QString comment = QStringLiteral("N/A");
    QString memo;

    bool operator==(const PaymentRecord&) const = default;
};

namespace payments {

// The payment stored under `pk`, read in a short transaction of its own;
// nothing when there is none. Throws DatabaseError.
std::optional<PaymentRecord> load(const QSqlDatabase& connection, double pk);
// Stores the record in one transaction: as a new payment, or, given the
// payment as it was loaded, as the values changed since, the rest of its
// row staying exactly as stored. The same transaction writes its history
// entry, naming `source` ("PAYMENT FORM", ...) as where the change came
// from. Text is cut to its column's width; text Windows-1252 cannot hold,
// or a record without a key, is refused, and nothing is written. Throws
// DatabaseError.
void store(const QSqlDatabase& connection, const PaymentRecord& record, const QString& source,
           const std::optional<PaymentRecord>& loaded = std::nullopt);

// Deletes the payment record stored under `pk` in one transaction, with its
// history entry holding every value it had and naming `source`; refuses
// when it is no longer there. Throws DatabaseError.
void remove(const QSqlDatabase& connection, double pk, const QString& source);

// A column's value as the table model holds it, and a column set from one.
QVariant columnValue(const PaymentRecord& record, const QString& columnName);
void setColumnValue(PaymentRecord& record, const QString& columnName, const QVariant& value);

}  // namespace payments
