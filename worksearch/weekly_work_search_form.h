#pragma once

#include "datastore/locations.h"
#include "reports/report_form.h"

class QDateEdit;
class TDataModule2;

// "Weekly Work Search": the weekly work-search log of the stored job search
// records from one date to another, under the stored week rules. The text
// can be edited before it is saved; "Export CSV…" writes weeks.csv and
// weeks_summary.csv into a folder the user chooses.
class TWeekly_Work_Search : public ReportForm {
    Q_OBJECT
public:
    TWeekly_Work_Search(TDataModule2& dataModule, Dialogs& dialogs, Locations locations,
                        QWidget* parent);

    void generate();
    void save();
    void exportCsv();

private:
    QWidget* makeChoices();

    TDataModule2& dataModule_;
    Locations locations_;
    QDateEdit* fld_from_date;
    QDateEdit* fld_to_date;
};
