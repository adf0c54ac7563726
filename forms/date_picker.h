#pragma once

#include <QDateEdit>

class Guard;

// A date picker with a drop-down calendar in the short date format. Its
// lowest date is the absent date, shown as "N/A"; Delete or Backspace sets it.
class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    DatePicker(const Guard& guard, QWidget* parent);

    void setAbsent();
    bool isAbsent() const;
    // "N/A", or the date in the short date format.
    QString fieldText() const;

protected:
    // Tab moves on to the next field, also from "N/A"; the parts of a date
    // are reached with the arrow keys or by typing the separator.
    bool focusNextPrevChild(bool next) override;
};
