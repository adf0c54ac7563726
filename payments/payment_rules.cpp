#include "payments/payment_rules.h"

#include "datastore/field_text.h"

namespace payment_rules {
namespace {

QDate orAbsent(const std::optional<QDate>& date) {
    return date.value_or(field_text::kAbsentDate);
}

}  // namespace

int dayInterval(const std::optional<QDate>& earlier, const std::optional<QDate>& later) {
    return earlier && later ? int(earlier->daysTo(*later)) : -1;
}

Intervals intervalsOf(const PaymentRecord& record) {
    Intervals result;
    result.sentToAvailable = dayInterval(record.sent, record.available);
    result.availableToDelivered = dayInterval(record.available, record.delivered);
    result.sentToDelivered = dayInterval(record.sent, record.delivered);
    result.deliveredToCleared = dayInterval(record.delivered, record.cleared);
    result.sentToCleared = dayInterval(record.sent, record.cleared);
    return result;
}

QString sortKeyOf(const std::optional<QDate>& itemDate) {
    return orAbsent(itemDate).toString(QStringLiteral("yyyyMMdd"));
}

void completeForSave(PaymentRecord& record, const std::function<double()>& newKey) {
    const Intervals days = intervalsOf(record);
    record.daysSentToAvailable = days.sentToAvailable;
    record.daysAvailableToDelivered = days.availableToDelivered;
    record.daysSentToDelivered = days.sentToDelivered;
    record.daysDeliveredToCleared = days.deliveredToCleared;
    record.daysSentToCleared = days.sentToCleared;
    record.sortKey = sortKeyOf(record.itemDate);
    if (!record.pk)
        record.pk = newKey();
}

// An item date stored as the absent date is shown as absent, and so is no
// date to start from either.
PickerDates presetsOnEdit(const PaymentRecord& record, const QDate& today) {
    const bool hasItemDate = record.itemDate && *record.itemDate != field_text::kAbsentDate;
    return {hasItemDate ? *record.itemDate : today,
            orAbsent(record.sent),
            orAbsent(record.available),
            orAbsent(record.secondTry),
            orAbsent(record.thirdTry),
            orAbsent(record.delivered),
            orAbsent(record.returned),
            orAbsent(record.cleared)};
}

}  // namespace payment_rules
