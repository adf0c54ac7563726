#pragma once

#include "forms/record_form.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TDataModule2;
class TableModel;

// "Job Title Edits": the edits table JS_EDIT_4, which maps each raw job
// title to a normalised title and a reason for not submitting, edited in its
// grid, one row at a time or by mass change.
class TJob_Title_Edit : public RecordForm {
    Q_OBJECT
public:
    TJob_Title_Edit(TDataModule2& dataModule, Dialogs& dialogs, QWidget* parent = nullptr);

    void FormActivate() override;
    void btn_addClick();
    void btn_editClick();
    void btn_deleteClick();
    void btn_saveClick();
    void btn_cancelClick();
    void btn_show_new_recordsClick();
    void btn_show_all_recordsClick();
    void add_reason_no_submit_pick_list();
    void btn_mass_changeClick();
    void btn_mass_change2Click();
    void btn_resetClick();

protected:
    void dropChange() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One mass change: where to look for the search text, what to write.
    struct MassChange {
        QLineEdit* search;
        QLineEdit* value;
        QString searchColumn;
        QString valueColumn;
    };
    QWidget* buildGrid();
    QWidget* buildMassChanges();
    QWidget* buildSidePanel();
    QLineEdit* addField(const QString& name);
    void massChange(const MassChange& change);
    void lock(const QList<QLineEdit*>& fields);
    void unlockAll();
    void showFirstRow();

    // The form's own model of JS_EDIT_4, which it filters.
    TableModel& edits_;
    TableModel& reasons_;
    QTableView* DBGrid1 = nullptr;
    QPushButton* btn_exit;
    QPushButton* btn_show_new_records;
    QPushButton* btn_show_all_records;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QCheckBox* cb_confirm;
    QLabel* lbl_mass_change;     // how many rows the last mass change changed
    QStringList reasonChoices_;  // the drop-down of the reason column
};
