#pragma once

#include "forms/record_form.h"
#include "obligations/obligation.h"

#include <QDate>

#include <optional>
#include <vector>

class DatePicker;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTableWidget;
class TDataModule2;

// "Support Obligations": the obligations of the orders in a grid, the one
// chosen in the fields below it. Each Save, Delete and change from a date is
// one transaction; what cannot be stored is said, nothing is written, and the
// fields keep what was typed.
class TObligations_Form : public RecordForm {
    Q_OBJECT
public:
    TObligations_Form(TDataModule2& dataModule, Dialogs& dialogs, QWidget* parent = nullptr);

    void FormActivate() override;
    void btn_addClick();
    void btn_editClick();
    void btn_deleteClick();
    void btn_saveClick();
    void btn_cancelClick();
    void btn_change_fromClick();
    // The chosen obligation ends the day before `from`; a new one with the
    // amount, frequency and due days of `terms` is due from `from`. False
    // when refused.
    bool changeCurrentFrom(const QDate& from, const obligations::Obligation& terms);

protected:
    void dropChange() override;

private:
    QWidget* buildFields();
    QWidget* buildSidePanel();
    void reload(std::optional<qint64> chosenKey);
    void showChosen();
    void showObligation(const obligations::Obligation& obligation);
    void enableDueDays();
    std::optional<obligations::Obligation> obligationOnScreen();
    const obligations::Obligation* chosen() const;
    void refuse(const QString& message);

    TDataModule2& dataModule_;
    std::vector<obligations::Obligation> obligations_;
    QTableWidget* grid_;
    QComboBox* fld_kind_;
    QLineEdit* fld_amount_;
    QComboBox* fld_frequency_;
    QSpinBox* fld_due_day_;
    QSpinBox* fld_second_due_day_;
    DatePicker* fld_first_due_;
    DatePicker* fld_last_due_;
    QLineEdit* fld_order_;
    QPlainTextEdit* fld_memo_;
    QPushButton* btn_change_from_;
    bool adding_ = false;
};
