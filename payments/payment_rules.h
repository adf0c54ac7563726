#pragma once

#include <QDate>
#include <QString>

#include <optional>

// The rules of a payment record that need no widget: the day intervals
// between its dates and the dates its pickers start from when it is edited.
namespace payment_rules {

// The texts of the eight date fields, in the order the form lists them.
struct DateTexts {
    QString item, sent, available, secondTry, thirdTry, delivered, returned, cleared;
};

struct Intervals {
    int sentToAvailable = -1;
    int availableToDelivered = -1;
    int sentToDelivered = -1;
    int deliveredToCleared = -1;
    int sentToCleared = -1;
};

// Whole days from the earlier to the later date text; -1 unless both are
// dates (the absent date "N/A" is not a date).
int dayInterval(const QString& earlier, const QString& later);
Intervals intervalsOf(const DateTexts& dates);

// The YYYYMMDD sort key of an item date text; "19010101", the absent date,
// when the text is no date.
QString sortKeyOf(const QString& itemDate);

// The dates the eight pickers start from when a record is edited: a field's
// own date, or one borrowed from a neighbour when the field is empty. The
// returned date borrows none: it starts from the stored returned date or
// absent. An absent date is field_text::kAbsentDate.
struct PickerDates {
    QDate item, sent, available, secondTry, thirdTry, delivered, returned, cleared;
};
PickerDates presetsOnEdit(const DateTexts& fields, const QDate& today);

}  // namespace payment_rules
