#pragma once

#include <QDateEdit>

class Guard;

// A date field whose parts are reached with the arrow keys or by typing the
// separator, so that Tab always moves on to the next field.
class DateField : public QDateEdit {
    Q_OBJECT
public:
    using QDateEdit::QDateEdit;

protected:
    bool focusNextPrevChild(bool next) override;
};

// A report's period field: a date field named `name`, with a drop-down
// calendar, in the reports' MM/DD/YYYY.
QDateEdit* reportDateField(const QString& name, const QDate& date);

// A date picker with a drop-down calendar in the short date format. Its
// lowest date is the absent date, shown as "N/A"; Delete or Backspace sets
// it. Tab moves on also from "N/A".
class DatePicker : public DateField {
    Q_OBJECT
public:
    DatePicker(const Guard& guard, QWidget* parent);

    void setAbsent();
    bool isAbsent() const;
    // "N/A", or the date in the short date format.
    QString fieldText() const;
};
