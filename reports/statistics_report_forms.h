#pragma once

#include "datastore/locations.h"
#include "reports/report_form.h"

#include <QSqlDatabase>

#include <functional>

class TDataModule2;

// A statistics report form: the advice lines at activation, two Generate
// buttons that do the same, and Save to the report's one file.
class StatisticsReportForm : public ReportForm {
    Q_OBJECT
public:
    struct Kind {
        QString name;
        QString title;
        QStringList advice;
        std::function<QStringList(const QSqlDatabase&)> generate;
        QString fileName;
    };

    StatisticsReportForm(TDataModule2& dataModule, Dialogs& dialogs, Locations locations, Kind kind,
                         QWidget* parent);

    void generate();
    void save();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TDataModule2& dataModule_;
    Kind kind_;
};

// The jobs not qualified for, by job title category.
class TJob_Search_Stats_Job_Title : public StatisticsReportForm {
    Q_OBJECT
public:
    TJob_Search_Stats_Job_Title(TDataModule2& dataModule, Dialogs& dialogs,
                                const Locations& locations, QWidget* parent);
};

// The jobs not qualified for, by state.
class TJob_Search_Stats_Job_State : public StatisticsReportForm {
    Q_OBJECT
public:
    TJob_Search_Stats_Job_State(TDataModule2& dataModule, Dialogs& dialogs,
                                const Locations& locations, QWidget* parent);
};
