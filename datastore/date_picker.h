#pragma once

#include <QDateEdit>

// A date picker with a drop-down calendar in the short date format. Its
// lowest date is the absent date, shown as "N/A"; Delete or Backspace sets it.
class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);

    void setAbsent();
    bool isAbsent() const;
    // "N/A", or the date in the short date format.
    QString fieldText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
