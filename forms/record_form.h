#pragma once

#include "forms/error_guard.h"
#include "forms/record_maintenance.h"

#include <QDialog>

class Dialogs;
class RecordBinding;

// A record-maintenance form: its five buttons and two states, set up when
// first shown, and closed (Exit, Escape or the window frame) only after
// asking while a record is being changed, so that no typing is lost unnoticed.
class RecordForm : public QDialog {
    Q_OBJECT
public:
    RecordForm(Dialogs& dialogs, QWidget* parent);

    // The form's set-up as it appears: states, first row, grid position. A
    // form opened from the menu is made afresh and shown once, so this runs
    // once per opening. Not to be confused with the main window's
    // TMain_Screen2::FormActivate, the activation sequence that runs again
    // each time a form returns to it.
    virtual void FormActivate() = 0;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    // Drops the change being made when the user agrees to close.
    virtual void dropChange() = 0;
    // Writes the fields into the row; when a field holds text its column
    // refuses, says so, puts the cursor there and returns false.
    bool writeFields(RecordBinding& binding);
    // Says that `what` failed ("The payment was not saved.") under "PROGRAM
    // ERROR", with the server's text after it.
    void reportFailure(const QString& what, const QString& serverText);

    Dialogs& dialogs_;
    Guard guard_;
    RecordMaintenance::Buttons buttons_;
    RecordMaintenance states_;

private:
    bool activated_ = false;
};
