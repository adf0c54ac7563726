#pragma once

#include "datastore/locations.h"
#include "payments/payments_report.h"
#include "reports/report_form.h"

#include <vector>

class QCheckBox;
class QDateEdit;
class QListWidget;
class TDataModule2;

// The payments report: the columns to show are ticked in CheckListBox1
// (reset at every activation), the report can be limited to a range of
// item dates, and the text area can be edited before it is saved.
class TPayments_Report : public ReportForm {
    Q_OBJECT
public:
    TPayments_Report(TDataModule2& dataModule, Dialogs& dialogs, Locations locations,
                     QWidget* parent);

    void set_initial_status();
    void generate();
    void save();
    std::vector<bool> ticks() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makeDateRange();
    payments_report::Selection chooseRows() const;

    TDataModule2& dataModule_;
    QListWidget* CheckListBox1;
    QCheckBox* cb_item_dates;
    QDateEdit* fld_from_date;
    QDateEdit* fld_to_date;
};
