#pragma once

#include "datastore/record_maintenance.h"

#include <QDialog>

class Dialogs;

// A record-maintenance form: its five buttons and two states, activated
// when first shown, and closed (Exit, Escape or the window frame) only after
// asking while a record is being changed, so that no typing is lost unnoticed.
class RecordForm : public QDialog {
    Q_OBJECT
public:
    RecordForm(Dialogs& dialogs, QWidget* parent);

    virtual void FormActivate() = 0;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    // Drops the change being made when the user agrees to close.
    virtual void dropChange() = 0;

    Dialogs& dialogs_;
    RecordMaintenance::Buttons buttons_;
    RecordMaintenance states_;

private:
    bool activated_ = false;
};
