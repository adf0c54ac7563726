#pragma once

#include "datastore/record_maintenance.h"

#include <QDialog>

class Dialogs;
class QLabel;
class QLineEdit;
class QPushButton;
class RecordBinding;
class TDataModule2;

// "Configuration": the one record of CONFIG_4 with the user's and the former
// spouse's names and addresses and the folder file dialogs start in.
class TConfiguration : public QDialog {
    Q_OBJECT
public:
    TConfiguration(TDataModule2& dataModule, Dialogs& dialogs, QWidget* parent = nullptr);

    void FormActivate();
    void btn_addClick();
    void btn_editClick();
    void btn_saveClick();
    void btn_cancelClick();
    void fld_file_browse_startKeyDown();

    // Closing (Exit, Escape or the window frame) while a record is being
    // changed asks first, so that no typing is lost unnoticed.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildFields();
    QWidget* field(QWidget* editor, const QString& name, const QString& column);
    void btns_normal_state();
    void btns_add_edit_state();
    void flds_normal_state();
    void flds_add_edit_state();

    Dialogs& dialogs_;
    RecordBinding* binding_;
    QList<QWidget*> fields_;
    RecordMaintenance::Buttons buttons_;
    QPushButton* btn_exit;
    QLineEdit* fld_file_browse_start = nullptr;
    QLineEdit* fld_sidebar_color = nullptr;
    QLabel* lbl_sidebar_hint;
    RecordMaintenance states_;
    bool activated_ = false;
};
