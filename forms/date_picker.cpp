#include "forms/date_picker.h"

#include "datastore/field_text.h"
#include "forms/error_guard.h"
#include "platform/kbx.h"

DatePicker::DatePicker(const Guard& guard, QWidget* parent) : DateField(parent) {
    setCalendarPopup(true);
    setDisplayFormat(kbx::short_date_format());
    setMinimumDate(field_text::kAbsentDate);
    setSpecialValueText(field_text::kAbsentText);
    setToolTip(QStringLiteral("Delete or Backspace: no date (N/A)"));
    guard.onKey(this, Qt::Key_Delete, [this] { setAbsent(); });
    guard.onKey(this, Qt::Key_Backspace, [this] { setAbsent(); });
}

void DatePicker::setAbsent() {
    setDate(minimumDate());
}

bool DatePicker::isAbsent() const {
    return date() == minimumDate();
}

QString DatePicker::fieldText() const {
    return isAbsent() ? field_text::kAbsentText : kbx::short_date_text(date());
}

bool DateField::focusNextPrevChild(bool next) {
    return QWidget::focusNextPrevChild(next);
}

QDateEdit* reportDateField(const QString& name, const QDate& date) {
    auto* field = new DateField(date);
    field->setObjectName(name);
    field->setCalendarPopup(true);
    field->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    return field;
}
