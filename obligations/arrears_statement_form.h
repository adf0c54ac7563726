#pragma once

#include "datastore/locations.h"
#include "reports/report_form.h"

class QComboBox;
class QDateEdit;
class TDataModule2;

// The arrears statement of the obligations and payments stored now, from
// one date to another, counting payments on their sent, delivered or cleared
// date. The text can be edited before it is saved; "Export CSV…" writes its
// amounts due as arrears.csv.
class TArrears_Statement : public ReportForm {
    Q_OBJECT
public:
    TArrears_Statement(TDataModule2& dataModule, Dialogs& dialogs, Locations locations,
                       QWidget* parent);

    void generate();
    void save();
    void exportCsv();

private:
    QWidget* makeChoices();

    TDataModule2& dataModule_;
    QDateEdit* fld_from_date;
    QDateEdit* fld_to_date;
    QComboBox* fld_counting_date;
};
