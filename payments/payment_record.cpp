#include "payments/payment_record.h"

#include "datastore/record_columns.h"
#include "platform/database_error.h"
#include "platform/transaction.h"

namespace payments {
namespace {

const record_columns::Columns<PaymentRecord>& columns() {
    using R = PaymentRecord;
    static const record_columns::Columns<PaymentRecord> bound(
        QStringLiteral("QUORVEL_4"), {{"PK", &R::pk},
                                      {"CATEGORY", &R::category},
                                      {"ITEM_DATE", &R::itemDate},
                                      {"YYYYMMDD", &R::sortKey},
                                      {"DATE_SENT", &R::sent},
                                      {"DATE_AVAIL", &R::available},
                                      {"DATE_1ST_TRY", &R::firstTry},
                                      {"DATE_2ND_TRY", &R::secondTry},
                                      {"DATE_3RD_TRY", &R::thirdTry},
                                      {"DATE_DEL", &R::delivered},
                                      {"DATE_RETURNED", &R::returned},
                                      {"DATE_CLEAR", &R::cleared},
                                      {"DAYS_SENT_TO_AVAIL", &R::daysSentToAvailable},
                                      {"DAYS_SENT_TO_DEL", &R::daysSentToDelivered},
                                      {"DAYS_AVAIL_TO_DEL", &R::daysAvailableToDelivered},
                                      {"DAYS_DEL_TO_CLEAR", &R::daysDeliveredToCleared},
                                      {"DAYS_SENT_TO_CLEAR", &R::daysSentToCleared},
                                      {"CHECK_NBR", &R::checkNumber},
                                      {"ITEM", &R::item},
                                      {"SS_AMT", &R::spousalSupport},
                                      {"RP_AMT", &R::retiredPay},
                                      {"CS_AMT", &R::childSupport},
                                      {"OTHER_AMT", &R::other},
                                      {"CARRIER", &R::carrier},
                                      {"CARR_NBR", &R::carrierNumber},
                                      {"ITEM_FILE", &R::itemFile},
                                      {"SHIP_FILE", &R::shipFile},
                                      {"SIG_FILE", &R::signatureFile},
                                      {"CHK_STMT", &R::checkStatement},
                                      {"COMMENT", &R::comment},
                                      {"MEMO", &R::memo}});
    return bound;
}

}  // namespace

std::optional<PaymentRecord> load(const QSqlDatabase& connection, double pk) {
    return columns().load(connection, pk);
}

void store(const QSqlDatabase& connection, const PaymentRecord& record,
           const std::optional<PaymentRecord>& loaded) {
    if (!record.pk)
        throw DatabaseError(QStringLiteral("A payment record without a key cannot be stored."));
    inTransaction(connection, [&] {
        if (loaded)
            columns().update(connection, record, *loaded, *loaded->pk);
        else
            columns().insert(connection, record);
    });
}

QVariant columnValue(const PaymentRecord& record, const QString& columnName) {
    return columns().value(record, columnName);
}

void setColumnValue(PaymentRecord& record, const QString& columnName, const QVariant& value) {
    columns().setValue(record, columnName, value);
}

}  // namespace payments
