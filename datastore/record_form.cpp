#include "datastore/record_form.h"

RecordForm::RecordForm(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), buttons_(makeMaintenanceButtons()), states_(buttons_) {}

void RecordForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        FormActivate();
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
