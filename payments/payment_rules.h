#pragma once

#include "payments/payment_record.h"

#include <QDate>
#include <QString>

#include <functional>
#include <optional>

// The rules of a payment record: the day intervals between its dates, its
// sort key and key, and the dates its pickers start from when it is edited.
namespace payment_rules {

struct Intervals {
    int sentToAvailable = -1;
    int availableToDelivered = -1;
    int sentToDelivered = -1;
    int deliveredToCleared = -1;
    int sentToCleared = -1;
};

// Whole days from the earlier to the later date; -1 unless both are there.
int dayInterval(const std::optional<QDate>& earlier, const std::optional<QDate>& later);
Intervals intervalsOf(const PaymentRecord& record);

// The YYYYMMDD sort key of an item date; "19010101" when it is absent.
QString sortKeyOf(const std::optional<QDate>& itemDate);

// Sets what follows from the record's other values before it is stored:
// its intervals, its sort key, and a new key from `newKey` when it has none.
void completeForSave(PaymentRecord& record, const std::function<double()>& newKey);

// The dates the eight pickers start from when a record is edited: each its
// own date, or the absent date field_text::kAbsentDate; the item picker
// starts from today when the record has no item date.
struct PickerDates {
    QDate item, sent, available, secondTry, thirdTry, delivered, returned, cleared;
};
PickerDates presetsOnEdit(const PaymentRecord& record, const QDate& today);

}  // namespace payment_rules
