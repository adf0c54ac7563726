#include "reports/statistics_report_forms.h"

#include "datastore/data_module.h"
#include "platform/kbx.h"
#include "reports/statistics_reports.h"

#include <QPlainTextEdit>

StatisticsReportForm::StatisticsReportForm(TDataModule2& dataModule, Dialogs& dialogs,
                                           Locations locations, Kind kind, QWidget* parent)
    : ReportForm(dialogs, std::move(locations), kind.name, kind.title, 190, parent),
      dataModule_(dataModule),
      kind_(std::move(kind)) {
    memo()->setReadOnly(true);
    addButton(QStringLiteral("Generate"), QStringLiteral("btn_generate"), [this] { generate(); });
    addButton(QStringLiteral("Generate"), QStringLiteral("btn_select_month"),
              [this] { generate(); });
    addButton(QStringLiteral("Save"), QStringLiteral("btn_save"), [this] { save(); });
    addPrintButtons();
}

void StatisticsReportForm::showEvent(QShowEvent* event) {
    ReportForm::showEvent(event);
    setLines(kind_.advice);
}

void StatisticsReportForm::generate() {
    setLines({});
    setLines(kind_.generate(dataModule_.connection()));
    dialogs().message(this, QString(), QStringLiteral("I'm done !!!!!!!"), Buttons::Ok);
}

void StatisticsReportForm::save() {
    saveText(kind_.fileName, report_text::Closing::Statistics);
}

TJob_Search_Stats_Job_Title::TJob_Search_Stats_Job_Title(TDataModule2& dataModule, Dialogs& dialogs,
                                                         const Locations& locations,
                                                         QWidget* parent)
    : StatisticsReportForm(
          dataModule, dialogs, locations,
          {QStringLiteral("Job_Search_Stats_Job_Title"),
           QStringLiteral("Job Search Statistics - Job Title"), statistics_reports::titleAdvice(),
           [](const QSqlDatabase& connection) {
               return statistics_reports::titleReport(connection, kbx::_kbx_ComputerName());
           },
           statistics_reports::kTitleFileName},
          parent) {}

TJob_Search_Stats_Job_State::TJob_Search_Stats_Job_State(TDataModule2& dataModule, Dialogs& dialogs,
                                                         const Locations& locations,
                                                         QWidget* parent)
    : StatisticsReportForm(
          dataModule, dialogs, locations,
          {QStringLiteral("Job_Search_Stats_Job_State"),
           QStringLiteral("Job Search Statistics - State"), statistics_reports::stateAdvice(),
           &statistics_reports::stateReport, statistics_reports::kStateFileName},
          parent) {}
