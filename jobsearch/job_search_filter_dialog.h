#pragma once

#include "forms/error_guard.h"
#include "jobsearch/job_search_filter.h"

#include <QDialog>

class DatePicker;
class QComboBox;
class QLineEdit;

// "Filter Records": which job search records the grid shows. Opens with the
// filter last chosen; "Show all" chooses the empty filter.
class TJob_Search_Filter : public QDialog {
    Q_OBJECT
public:
    TJob_Search_Filter(Dialogs& dialogs, const JobSearchFilter& last, QWidget* parent);

    JobSearchFilter chosen() const;

private:
    void show(const JobSearchFilter& filter);
    void showAll();

    Guard guard_;
    DatePicker* fld_from;
    DatePicker* fld_to;
    QComboBox* fld_state;
    QLineEdit* fld_city;
    QLineEdit* fld_contact;
    QLineEdit* fld_title;
    QComboBox* fld_submitted;
    QComboBox* fld_active;
};
