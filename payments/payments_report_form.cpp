#include "payments/payments_report_form.h"

#include "datastore/data_module.h"
#include "forms/date_picker.h"
#include "payments/payments_report.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TPayments_Report::TPayments_Report(TDataModule2& dataModule, Dialogs& dialogs, Locations locations,
                                   QWidget* parent)
    : ReportForm(dialogs, std::move(locations), QStringLiteral("Payments_Report"),
                 QStringLiteral("Payments Report"), 260, parent),
      dataModule_(dataModule),
      CheckListBox1(new QListWidget),
      cb_item_dates(new QCheckBox(QStringLiteral("Only these item dates"))),
      fld_from_date(reportDateField(QStringLiteral("fld_from_date"),
                                    QDate(QDate::currentDate().year(), 1, 1))),
      fld_to_date(reportDateField(QStringLiteral("fld_to_date"), QDate::currentDate())) {
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1->setStyleSheet(QStringLiteral("QListWidget { background: rgb(0, 255, 0); }"));
    for (const payments_report::Item& item : payments_report::items())
        CheckListBox1->addItem(item.name);
    cb_item_dates->setObjectName(QStringLiteral("cb_item_dates"));
    sidePanel()->addWidget(CheckListBox1, 1);
    sidePanel()->addWidget(makeDateRange());
    addButton(QStringLiteral("Generate"), QStringLiteral("btn_generate"), [this] { generate(); });
    addButton(QStringLiteral("Save"), QStringLiteral("btn_save"), [this] { save(); });
    addPrintButtons();
}

QWidget* TPayments_Report::makeDateRange() {
    auto* group = new QGroupBox(QStringLiteral("ITEM DATES"));
    auto* fields = new QFormLayout(group);
    fields->addRow(cb_item_dates);
    fields->addRow(QStringLiteral("From"), fld_from_date);
    fields->addRow(QStringLiteral("To"), fld_to_date);
    return group;
}

void TPayments_Report::showEvent(QShowEvent* event) {
    ReportForm::showEvent(event);
    set_initial_status();
}

void TPayments_Report::set_initial_status() {
    const std::vector<bool> start = payments_report::startTicks();
    for (int row = 0; row < CheckListBox1->count(); ++row) {
        QListWidgetItem* item = CheckListBox1->item(row);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(start[row] ? Qt::Checked : Qt::Unchecked);
    }
    // Every line is dated: the item date cannot be unticked.
    CheckListBox1->item(payments_report::kItemDate)->setFlags(Qt::NoItemFlags);
    setLines({});
}

std::vector<bool> TPayments_Report::ticks() const {
    std::vector<bool> ticked;
    for (int row = 0; row < CheckListBox1->count(); ++row)
        ticked.push_back(CheckListBox1->item(row)->checkState() == Qt::Checked);
    return ticked;
}

// A chosen range of item dates is named under the report's banner; without
// one the report lists the categories.
payments_report::Selection TPayments_Report::chooseRows() const {
    if (!cb_item_dates->isChecked())
        return {};
    return payments_report::itemDates(fld_from_date->date(), fld_to_date->date());
}

void TPayments_Report::generate() {
    setLines(payments_report::build(dataModule_.connection(), ticks(), chooseRows()));
}

void TPayments_Report::save() {
    saveText(payments_report::fileName(QDateTime::currentDateTime()),
             report_text::Closing::Payments);
}
