#pragma once

#include "forms/record_form.h"

class QLabel;
class QLineEdit;
class QPushButton;
class RecordBinding;
class TDataModule2;

// "Configuration": the one record of CONFIG_4 with the user's and the former
// spouse's names and addresses and the folder file dialogs start in.
class TConfiguration : public RecordForm {
    Q_OBJECT
public:
    TConfiguration(TDataModule2& dataModule, Dialogs& dialogs, QWidget* parent = nullptr);

    void FormActivate() override;
    void btn_addClick();
    void btn_editClick();
    void btn_saveClick();
    void btn_cancelClick();
    void fld_file_browse_startKeyDown();

protected:
    void dropChange() override;

private:
    QWidget* buildFields();
    QWidget* field(QWidget* editor, const QString& name, const QString& column);
    RecordBinding* binding_;
    QList<QWidget*> fields_;
    QPushButton* btn_exit;
    QLineEdit* fld_file_browse_start = nullptr;
    QLineEdit* fld_sidebar_color = nullptr;
    QLabel* lbl_sidebar_hint;
};
