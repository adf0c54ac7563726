#include "datastore/record_maintenance.h"

#include "platform/dialogs.h"

#include <QAbstractItemView>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

void RecordMaintenance::setButtons(bool normal) {
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
}

void RecordMaintenance::btns_normal_state() { setButtons(true); }
void RecordMaintenance::btns_add_edit_state() { setButtons(false); }

void RecordMaintenance::flds_normal_state() {
    editing_ = false;
    setFieldsUsable(false);
}

void RecordMaintenance::flds_add_edit_state() {
    editing_ = true;
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

bool confirmRecordDelete(Dialogs& dialogs, QWidget* parent) {
    return dialogs.message(parent, QStringLiteral("RECORD DELETE REQUESTED"),
                           QStringLiteral("Do You Really Want to Delete The Record, It's permanent!!!!!!!"),
                           Buttons::YesNo)
           == Answer::Yes;
}

QGroupBox* makeEditingSidePanel() {
    auto* panel = new QGroupBox(QStringLiteral("> EDITING RECORDS <"));
    panel->setObjectName(QStringLiteral("side_panel"));
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, QColor(0, 255, 0));
    panel->setPalette(palette);
    return panel;
}
