#include "payments/payment_record.h"

#include "datastore/record_columns.h"
#include "datastore/record_history.h"
#include "datastore/table_names.h"
#include "platform/database_error.h"
#include "platform/transaction.h"

namespace payments {
namespace {

const record_columns::Columns<PaymentRecord>& columns() {
    using R = PaymentRecord;
    namespace pay = ::columns::payments;
    static const record_columns::Columns<PaymentRecord> bound(
        tables::payments, {{pay::pk, &R::pk},
                           {pay::category, &R::category},
                           {pay::itemDate, &R::itemDate},
                           {pay::yyyymmdd, &R::sortKey},
                           {pay::dateSent, &R::sent},
                           {pay::dateAvail, &R::available},
                           {pay::date1stTry, &R::firstTry},
                           {pay::date2ndTry, &R::secondTry},
                           {pay::date3rdTry, &R::thirdTry},
                           {pay::dateDel, &R::delivered},
                           {pay::dateReturned, &R::returned},
                           {pay::dateClear, &R::cleared},
                           {pay::daysSentToAvail, &R::daysSentToAvailable},
                           {pay::daysSentToDel, &R::daysSentToDelivered},
                           {pay::daysAvailToDel, &R::daysAvailableToDelivered},
                           {pay::daysDelToClear, &R::daysDeliveredToCleared},
                           {pay::daysSentToClear, &R::daysSentToCleared},
                           {pay::checkNbr, &R::checkNumber},
                           {pay::item, &R::item},
                           {pay::ssAmt, &R::spousalSupport},
                           {pay::rpAmt, &R::retiredPay},
                           {pay::csAmt, &R::childSupport},
                           {pay::otherAmt, &R::other},
                           {pay::carrier, &R::carrier},
                           {pay::carrNbr, &R::carrierNumber},
                           {pay::itemFile, &R::itemFile},
                           {pay::shipFile, &R::shipFile},
                           {pay::sigFile, &R::signatureFile},
                           {pay::chkStmt, &R::checkStatement},
                           {pay::comment, &R::comment},
                           {pay::memo, &R::memo}});
    return bound;
}

}  // namespace

std::optional<PaymentRecord> load(const QSqlDatabase& connection, double pk) {
    return columns().load(connection, pk);
}

void store(const QSqlDatabase& connection, const PaymentRecord& record, const QString& source,
           const std::optional<PaymentRecord>& loaded) {
    if (!record.pk)
        throw DatabaseError(QStringLiteral("A payment record without a key cannot be stored."));
    inTransaction(connection, [&] {
        std::optional<QVariantList> before;
        if (loaded) {
            columns().update(connection, record, *loaded, *loaded->pk);
            before = record_history::valuesOf(columns(), *loaded);
        } else {
            columns().insert(connection, record);
        }
        record_history::appendStored(connection, columns().table(),
                                     record_history::recordKey(*record.pk), source, before,
                                     record_history::valuesOf(columns(), record));
    });
}

void remove(const QSqlDatabase& connection, double pk, const QString& source) {
    inTransaction(connection,
                  [&] { record_history::deleteRecord(connection, columns().table(), pk, source); });
}

QVariant columnValue(const PaymentRecord& record, const QString& columnName) {
    return columns().value(record, columnName);
}

void setColumnValue(PaymentRecord& record, const QString& columnName, const QVariant& value) {
    columns().setValue(record, columnName, value);
}

}  // namespace payments
