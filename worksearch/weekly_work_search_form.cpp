#include "worksearch/weekly_work_search_form.h"

#include "datastore/data_module.h"
#include "forms/date_picker.h"
#include "forms/output_file.h"
#include "platform/kbx.h"
#include "worksearch/stored_weekly_log.h"
#include "worksearch/weekly_log_csv.h"
#include "worksearch/weekly_log_report.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {

// The period first offered: the twelve weeks up to today.
constexpr int kWeeksOffered = 12;

QString logFileName(const QDateTime& when) {
    return QStringLiteral("WEEKLY_WORK_SEARCH___") + kbx::_kbx_yyyy_mm_dd_hh_mm_ss(when) +
           QStringLiteral(".TXT");
}

}  // namespace

TWeekly_Work_Search::TWeekly_Work_Search(TDataModule2& dataModule, Dialogs& dialogs,
                                         Locations locations, QWidget* parent)
    : ReportForm(dialogs, locations, QStringLiteral("Weekly_Work_Search"),
                 QStringLiteral("Weekly Work Search"), 260, parent),
      dataModule_(dataModule),
      locations_(std::move(locations)),
      fld_from_date(reportDateField(QStringLiteral("fld_from_date"),
                                    QDate::currentDate().addDays(1 - 7 * kWeeksOffered))),
      fld_to_date(reportDateField(QStringLiteral("fld_to_date"), QDate::currentDate())) {
    sidePanel()->addWidget(makeChoices());
    sidePanel()->addStretch();
    addButton(QStringLiteral("Generate"), QStringLiteral("btn_generate"), [this] { generate(); });
    addButton(QStringLiteral("Save"), QStringLiteral("btn_save"), [this] { save(); });
    addButton(QStringLiteral("Export CSV…"), QStringLiteral("btn_export_csv"),
              [this] { exportCsv(); });
    addPrintButtons();
}

QWidget* TWeekly_Work_Search::makeChoices() {
    auto* group = new QGroupBox(QStringLiteral("WEEKS"));
    auto* fields = new QFormLayout(group);
    fields->addRow(QStringLiteral("From"), fld_from_date);
    fields->addRow(QStringLiteral("To"), fld_to_date);
    return group;
}

void TWeekly_Work_Search::generate() {
    if (refusesBackwardPeriod(fld_from_date->date(), fld_to_date->date()))
        return;
    const QSqlDatabase& connection = dataModule_.connection();
    setLines(weekly_log_report::build(
        worksearch::storedWeeklyLog(connection, fld_from_date->date(), fld_to_date->date()),
        report_text::configuration(connection)));
}

void TWeekly_Work_Search::save() {
    saveText(logFileName(QDateTime::currentDateTime()), report_text::Closing::Payments);
}

// Written from the stored records for the dates chosen, as "Generate" shows
// them, whatever the text area holds after editing.
void TWeekly_Work_Search::exportCsv() {
    if (refusesBackwardPeriod(fld_from_date->date(), fld_to_date->date()))
        return;
    const QString folder = dialogs().chooseFolder(
        this, QStringLiteral("Export the weekly work search as CSV into the folder:"),
        kbx::_kbx_Get_Special_Folder_Location(QStringLiteral("PERSONAL")));
    if (folder.isEmpty())
        return;
    const std::optional<whole_file::Existing> existing =
        askToWrite(dialogs(), this, locations_, weekly_log_csv::paths(folder));
    if (!existing)
        return;
    weekly_log_csv::write(worksearch::storedWeeklyLog(dataModule_.connection(),
                                                      fld_from_date->date(), fld_to_date->date()),
                          folder, *existing);
    const QStringList paths = weekly_log_csv::paths(folder);
    dialogs().message(
        this, QStringLiteral("MESSAGE"),
        QStringLiteral("The weekly work search was exported to\n%1\n%2").arg(paths[0], paths[1]),
        Buttons::Ok);
}
