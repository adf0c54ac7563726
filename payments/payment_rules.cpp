#include "payments/payment_rules.h"

#include "datastore/field_text.h"
#include "platform/kbx.h"

#include <QDateTime>

namespace payment_rules {
namespace {

// The date a field's text stands for: its date, the absent date for "N/A"
// or any other text that is no date, nothing for an empty field.
std::optional<QDate> dateOfText(const QString& text) {
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const QDate date = kbx::parse_short_date(text);
    return date.isValid() ? date : field_text::kAbsentDate;
}

// One step of the presets: a field with a text sets its own picker and
// stands for its own date; an empty one takes `neighbour` for its picker
// and stands for `standsFor` in the steps after it.
struct Preset {
    QDate picker;
    QDate standsFor;
};

Preset preset(const QString& text, const QDate& neighbour, const QDate& standsFor) {
    if (const std::optional<QDate> own = dateOfText(text))
        return {*own, *own};
    return {neighbour, standsFor};
}

}  // namespace

int dayInterval(const QString& earlier, const QString& later) {
    bool bothDates = false;
    int days = -1;
    kbx::_kbx_verify_date_diffs(earlier, later, bothDates, days);
    return bothDates ? days : -1;
}

Intervals intervalsOf(const DateTexts& dates) {
    Intervals result;
    result.sentToAvailable = dayInterval(dates.sent, dates.available);
    result.availableToDelivered = dayInterval(dates.available, dates.delivered);
    result.sentToDelivered = dayInterval(dates.sent, dates.delivered);
    result.deliveredToCleared = dayInterval(dates.delivered, dates.cleared);
    result.sentToCleared = dayInterval(dates.sent, dates.cleared);
    return result;
}

QString sortKeyOf(const QString& itemDate) {
    const QDate date = kbx::parse_short_date(itemDate);
    return kbx::_kbx_Date_To_YYYYMMDD(
        QDateTime(date.isValid() ? date : field_text::kAbsentDate, QTime(0, 0)));
}

PickerDates presetsOnEdit(const DateTexts& fields, const QDate& today) {
    const QDate itemDate = kbx::parse_short_date(fields.item);
    const QDate item = itemDate.isValid() ? itemDate : today;
    const Preset sent = preset(fields.sent, item, item);
    const Preset available = preset(fields.available, sent.standsFor, sent.standsFor);
    const Preset secondTry = preset(fields.secondTry, sent.standsFor, available.standsFor);
    const Preset thirdTry = preset(fields.thirdTry, secondTry.standsFor, secondTry.standsFor);
    const Preset delivered = preset(fields.delivered, available.standsFor, available.standsFor);
    const Preset cleared = preset(fields.cleared, delivered.standsFor, available.standsFor);
    return {item,
            sent.picker,
            available.picker,
            secondTry.picker,
            thirdTry.picker,
            delivered.picker,
            dateOfText(fields.returned).value_or(field_text::kAbsentDate),
            cleared.picker};
}

}  // namespace payment_rules
