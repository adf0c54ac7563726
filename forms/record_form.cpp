#include "forms/record_form.h"

#include "forms/record_binding.h"

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

bool RecordForm::writeFields(RecordBinding& binding) {
    const std::optional<RecordBinding::Refusal> refusal = binding.writeFields();
    if (!refusal)
        return true;
    dialogs_.message(this, QStringLiteral("MESSAGE"),
                     refusal->message + QStringLiteral("\nNothing was saved."), Buttons::Ok);
    refusal->field->setFocus();
    return false;
}

void RecordForm::reportFailure(const QString& what, const QString& serverText) {
    dialogs_.message(this, QStringLiteral("PROGRAM ERROR"), what + QLatin1Char('\n') + serverText,
                     Buttons::Ok);
}
