#include "forms/record_maintenance.h"

#include "forms/dialogs.h"

#include <QAbstractItemView>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

void RecordMaintenance::setButtons(bool normal) {
    editing_ = !normal;
    buttons_.add->setEnabled(normal && addAllowed_());
    buttons_.edit->setEnabled(normal);
    buttons_.remove->setEnabled(normal && deleteAllowed_);
    buttons_.save->setEnabled(!normal);
    buttons_.cancel->setEnabled(!normal);
    for (QWidget* control : normalOnly_)
        control->setEnabled(normal);
}

void RecordMaintenance::setFieldsUsable(bool usable) {
    for (QWidget* field : fields_) {
        // A memo stays enabled, so that it can be read and scrolled, but
        // takes typing only while a record is being changed.
        if (auto* memo = qobject_cast<QPlainTextEdit*>(field))
            memo->setReadOnly(!usable);
        else
            field->setEnabled(usable);
    }
    for (QAbstractItemView* grid : grids_)
        grid->setEnabled(!usable);
    for (QWidget* control : editingOnly_)
        control->setVisible(usable);
}

void RecordMaintenance::btns_normal_state() {
    setButtons(true);
}
void RecordMaintenance::btns_add_edit_state() {
    setButtons(false);
}

void RecordMaintenance::flds_normal_state() {
    setFieldsUsable(false);
}
void RecordMaintenance::flds_add_edit_state() {
    setFieldsUsable(true);
}

void RecordMaintenance::enterNormalState() {
    btns_normal_state();
    flds_normal_state();
}

void RecordMaintenance::enterAddEditState() {
    btns_add_edit_state();
    flds_add_edit_state();
}

bool confirmDiscardChange(Dialogs& dialogs, QWidget* parent) {
    return dialogs.message(parent, QStringLiteral("MESSAGE"),
                           QStringLiteral("The record being added or changed has not been saved.\n"
                                          "Close the form and lose the change?"),
                           Buttons::YesNo) == Answer::Yes;
}

bool confirmRecordDelete(Dialogs& dialogs, QWidget* parent) {
    return dialogs.message(
               parent, QStringLiteral("RECORD DELETE REQUESTED"),
               QStringLiteral("Do You Really Want to Delete The Record, It's permanent!!!!!!!"),
               Buttons::YesNo) == Answer::Yes;
}

QPushButton* makeButton(const QString& caption, const QString& name) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}

RecordMaintenance::Buttons makeMaintenanceButtons() {
    return {makeButton(QStringLiteral("Add"), QStringLiteral("btn_add")),
            makeButton(QStringLiteral("Edit"), QStringLiteral("btn_edit")),
            makeButton(QStringLiteral("Delete"), QStringLiteral("btn_delete")),
            makeButton(QStringLiteral("Save"), QStringLiteral("btn_save")),
            makeButton(QStringLiteral("Cancel"), QStringLiteral("btn_cancel"))};
}

QGroupBox* makeEditingSidePanel(const QList<QPushButton*>& buttons) {
    auto* panel = new QGroupBox(QStringLiteral("> EDITING RECORDS <"));
    panel->setObjectName(QStringLiteral("side_panel"));
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, QColor(0, 255, 0));
    panel->setPalette(palette);
    auto* layout = new QVBoxLayout(panel);
    for (QPushButton* button : buttons)
        layout->addWidget(button);
    return panel;
}
