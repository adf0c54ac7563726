#pragma once

#include "forms/record_form.h"
#include "payments/payment_rules.h"

#include <vector>

class DatePicker;
class Dialogs;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class RecordBinding;
class TDataModule2;

// "Maintain Payment Records": one QUORVEL_4 row at a time, with its dates
// chosen in pickers laid over the date fields while the row is changed.
class Tpayment_records_form : public RecordForm {
    Q_OBJECT
public:
    Tpayment_records_form(TDataModule2& dataModule, Dialogs& dialogs, QWidget* parent = nullptr);

    void FormActivate() override;
    void btn_addClick();
    void btn_editClick();
    void btn_deleteClick();
    void deleteCurrent();
    void btn_saveClick();
    void btn_cancelClick();
    void btn_export_csvClick();
    void btn_open_fileClick();
    void btn_historyClick();
    void lookupKeyDown();
    void fld_item_fileKeyDown();

protected:
    void dropChange() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // A date field and the picker laid over it while the row is changed.
    struct DateField {
        QLineEdit* field;
        DatePicker* picker;
    };
    struct IntervalFields {
        QLineEdit* sentToAvailable;
        QLineEdit* availableToDelivered;
        QLineEdit* sentToDelivered;
        QLineEdit* deliveredToCleared;
        QLineEdit* sentToCleared;
    };

    QWidget* buildFields();
    QWidget* buildSidePanel();
    QTableView* buildGrid();
    QLineEdit* addEdit(QGridLayout* layout, int row, int column, const QString& label,
                       const QString& name, const QString& columnName, int span = 1);
    QWidget* addField(QGridLayout* layout, int row, int column, const QString& label,
                      QWidget* field, const QString& name, const QString& columnName, int span);
    void addDateField(QGridLayout* layout, int row, int column, const QString& label,
                      const QString& name, const QString& pickerName, const QString& columnName);

    void enable_date_pickers_set_position();
    void enable_date_pickers();
    void disable_date_pickers();
    void presetPicker(DatePicker* picker, const QDate& date);
    void date_pickers_set_date_on_edit();

    void emptyAmountsToZero();
    void beginChange(const PaymentRecord& base);
    PaymentRecord recordOnScreen() const;
    std::optional<QDate> pickedDate(int index) const;
    void writeIntervals(const PaymentRecord& record);
    void showStored(double pk);

    TDataModule2& dataModule_;
    RecordBinding* binding_;
    QTableView* DBGrid1;
    QPushButton* btn_history;
    QCheckBox* cb_save_return_date;
    QLabel* lbl_current_filter;
    QPlainTextEdit* fld_memo = nullptr;
    QLineEdit* fld_item_file = nullptr;
    std::vector<DateField> dates_;  // item, sent, available, 2nd, 3rd, delivered, returned, cleared
    IntervalFields intervals_{};
    std::vector<QLineEdit*> amounts_;
    QList<QWidget*> fields_;
    // The record being changed as it was when Add or Edit was pressed.
    PaymentRecord base_;
};
