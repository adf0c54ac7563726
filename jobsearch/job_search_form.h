#pragma once

#include "forms/record_form.h"
#include "jobsearch/job_search_filter.h"
#include "jobsearch/job_search_record.h"

class DatePicker;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class RecordBinding;
class TDataModule2;
class TableModel;

// "Maintain Job Search Records": the job-search log JSEARCH_4, one record at
// a time, with follow-ups that continue a chain of records and the active
// status carried to a whole chain.
class TJob_Search : public RecordForm {
    Q_OBJECT
public:
    TJob_Search(TDataModule2& dataModule, Dialogs& dialogs, QWidget* parent = nullptr);

    void FormActivate() override;
    void btn_addClick();
    void btn_editClick();
    void btn_followupClick();
    void btn_export_csvClick();
    void btn_historyClick();
    void btn_deleteClick();
    void deleteCurrent();
    void btn_saveClick();
    void btn_cancelClick();
    void btn_filter_recordsClick();
    void lookupKeyDown();
    void fld_item_fileKeyDown();

protected:
    void dropChange() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildFields();
    QWidget* buildSidePanel();
    QTableView* buildGrid();
    template <typename Field>
    Field* addField(QGridLayout* layout, int row, int column, const QString& label, Field* field,
                    const QString& name, const QString& columnName, int span = 1);
    QComboBox* lookup(const QString& table);

    void showDatePicker();
    void hideDatePicker();
    void beginChange(const JobSearchRecord& base);
    void showRecordInFields(const JobSearchRecord& record);
    JobSearchRecord recordOnScreen() const;
    bool relatedRecordsConfirmed();
    void showNewestFirst();
    void applyFilter(const JobSearchFilter& filter);
    bool refusedWhileEditing(const QString& what);
    void showFirstRow();

    TDataModule2& dataModule_;
    // The form's own model of JSEARCH_4, filtered and ordered as it shows it.
    TableModel& jobs_;
    RecordBinding* binding_;
    QTableView* DBGrid1 = nullptr;
    QPushButton* btn_followup;
    QPushButton* btn_filter_records;
    QPushButton* btn_history;
    QLineEdit* fld_date = nullptr;
    QComboBox* fld_active = nullptr;
    QLineEdit* fld_item_file = nullptr;
    DatePicker* DateTimePicker_date = nullptr;
    QCheckBox* fld_related;
    QLabel* lbl_current_filter;
    QLabel* lbl_records;
    QList<QWidget*> fields_;
    // The record being changed as it was when Add, Followup or Edit was pressed.
    JobSearchRecord base_;
    JobSearchFilter filter_;
    // ACTIVE_, read as a boolean, of the record when Edit was pressed.
    bool activeWhenEditBegan_ = false;
};
