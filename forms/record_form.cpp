#include "forms/record_form.h"

RecordForm::RecordForm(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      dialogs_(dialogs),
      guard_(dialogs, this),
      buttons_(makeMaintenanceButtons()),
      states_(buttons_) {}

void RecordForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        guard_.run([this] { FormActivate(); });
    }
}

void RecordForm::reject() {
    if (states_.isEditing()) {
        if (!confirmDiscardChange(dialogs_, this))
            return;
        dropChange();
    }
    QDialog::reject();
}
