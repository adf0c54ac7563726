#include "datastore/date_picker.h"

#include "datastore/field_text.h"
#include "platform/kbx.h"

#include <QKeyEvent>

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent) {
    setCalendarPopup(true);
    setDisplayFormat(kbx::short_date_format());
    setMinimumDate(field_text::kAbsentDate);
    setSpecialValueText(field_text::kAbsentText);
    setToolTip(QStringLiteral("Delete or Backspace: no date (N/A)"));
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

void DatePicker::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
        setAbsent();
        return;
    }
    QDateEdit::keyPressEvent(event);
}
