#include "obligations/arrears_statement_form.h"

#include "datastore/data_module.h"
#include "forms/date_picker.h"
#include "forms/output_file.h"
#include "obligations/arrears_csv.h"
#include "obligations/arrears_report.h"
#include "obligations/obligation_store.h"
#include "platform/kbx.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {

QString statementFileName(const QDateTime& when) {
    return QStringLiteral("ARREARS___") + kbx::_kbx_yyyy_mm_dd_hh_mm_ss(when) +
           QStringLiteral(".TXT");
}

}  // namespace

TArrears_Statement::TArrears_Statement(TDataModule2& dataModule, Dialogs& dialogs,
                                       Locations locations, QWidget* parent)
    : ReportForm(dialogs, std::move(locations), QStringLiteral("Arrears_Statement"),
                 QStringLiteral("Arrears Statement"), 260, parent),
      dataModule_(dataModule),
      fld_from_date(reportDateField(QStringLiteral("fld_from_date"),
                                    QDate(QDate::currentDate().year(), 1, 1))),
      fld_to_date(reportDateField(QStringLiteral("fld_to_date"), QDate::currentDate())),
      fld_counting_date(new QComboBox) {
    fld_counting_date->setObjectName(QStringLiteral("fld_counting_date"));
    for (obligations::CountingDate counting :
         {obligations::CountingDate::Sent, obligations::CountingDate::Delivered,
          obligations::CountingDate::Cleared})
        fld_counting_date->addItem(obligations::countingDateWord(counting), int(counting));
    sidePanel()->addWidget(makeChoices());
    sidePanel()->addStretch();
    addButton(QStringLiteral("Generate"), QStringLiteral("btn_generate"), [this] { generate(); });
    addButton(QStringLiteral("Save"), QStringLiteral("btn_save"), [this] { save(); });
    addButton(QStringLiteral("Export CSV…"), QStringLiteral("btn_export_csv"),
              [this] { exportCsv(); });
    addPrintButtons();
}

QWidget* TArrears_Statement::makeChoices() {
    auto* group = new QGroupBox(QStringLiteral("STATEMENT"));
    auto* fields = new QFormLayout(group);
    fields->addRow(QStringLiteral("From"), fld_from_date);
    fields->addRow(QStringLiteral("To"), fld_to_date);
    fields->addRow(QStringLiteral("Count on"), fld_counting_date);
    return group;
}

namespace {

obligations::ArrearsStatement statementOf(const QSqlDatabase& connection, const QDate& from,
                                          const QDate& to, int counting) {
    return obligations::storedStatement(connection, from, to, obligations::CountingDate(counting));
}

}  // namespace

void TArrears_Statement::generate() {
    if (refusesBackwardPeriod(fld_from_date->date(), fld_to_date->date()))
        return;
    const QSqlDatabase& connection = dataModule_.connection();
    setLines(
        arrears_report::build(statementOf(connection, fld_from_date->date(), fld_to_date->date(),
                                          fld_counting_date->currentData().toInt()),
                              report_text::configuration(connection)));
}

void TArrears_Statement::save() {
    saveText(statementFileName(QDateTime::currentDateTime()), report_text::Closing::Payments);
}

// Written from the stored records for the dates chosen, as "Generate" shows
// them, whatever the text area holds after editing.
void TArrears_Statement::exportCsv() {
    if (refusesBackwardPeriod(fld_from_date->date(), fld_to_date->date()))
        return;
    const QString documents = kbx::_kbx_Get_Special_Folder_Location(QStringLiteral("PERSONAL"));
    const std::optional<OutputFile> file =
        chooseOutputFile(dialogs(), this, Locations::forCurrentUser(),
                         {QStringLiteral("Export the arrears statement as CSV"),
                          documents + QLatin1Char('/') + QLatin1String(arrears_csv::kFileName),
                          QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv")});
    if (!file)
        return;
    const obligations::ArrearsStatement statement =
        statementOf(dataModule_.connection(), fld_from_date->date(), fld_to_date->date(),
                    fld_counting_date->currentData().toInt());
    arrears_csv::write(statement, file->path, file->existing);
    dialogs().message(this, QStringLiteral("MESSAGE"),
                      QStringLiteral("The arrears statement was exported to %1").arg(file->path),
                      Buttons::Ok);
}
