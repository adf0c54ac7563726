#include "jobsearch/job_search_filter_dialog.h"

#include "datastore/state_codes.h"
#include "forms/date_picker.h"
#include "forms/record_maintenance.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QStringList kStatusChoices = {"(any)", "TRUE", "FALSE"};

QComboBox* statusList(const QString& name) {
    auto* list = new QComboBox;
    list->setObjectName(name);
    list->addItems(kStatusChoices);
    return list;
}

QLineEdit* textField(const QString& name) {
    auto* field = new QLineEdit;
    field->setObjectName(name);
    field->setClearButtonEnabled(true);
    return field;
}

}  // namespace

TJob_Search_Filter::TJob_Search_Filter(Dialogs& dialogs, const JobSearchFilter& last,
                                       QWidget* parent)
    : QDialog(parent),
      guard_(dialogs, this),
      fld_from(new DatePicker(guard_, this)),
      fld_to(new DatePicker(guard_, this)),
      fld_state(new QComboBox),
      fld_city(textField(QStringLiteral("fld_filter_city"))),
      fld_contact(textField(QStringLiteral("fld_filter_contact"))),
      fld_title(textField(QStringLiteral("fld_filter_title"))),
      fld_submitted(statusList(QStringLiteral("fld_filter_submitted"))),
      fld_active(statusList(QStringLiteral("fld_filter_active"))) {
    setObjectName(QStringLiteral("Job_Search_Filter"));
    setWindowTitle(QStringLiteral("Filter Records"));
    fld_from->setObjectName(QStringLiteral("fld_filter_from"));
    fld_to->setObjectName(QStringLiteral("fld_filter_to"));
    fld_state->setObjectName(QStringLiteral("fld_filter_state"));
    fld_state->addItem(QStringLiteral("(any)"));
    fld_state->addItems(stateCodes());

    auto* fields = new QFormLayout;
    fields->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    fields->addRow(QStringLiteral("FROM DATE (N/A: no limit)"), fld_from);
    fields->addRow(QStringLiteral("TO DATE (N/A: no limit)"), fld_to);
    fields->addRow(QStringLiteral("POSITION STATE"), fld_state);
    fields->addRow(QStringLiteral("POSITION CITY contains"), fld_city);
    fields->addRow(QStringLiteral("CONTACT NAME contains"), fld_contact);
    fields->addRow(QStringLiteral("POSITION TITLE contains"), fld_title);
    fields->addRow(QStringLiteral("SUBMITTED"), fld_submitted);
    fields->addRow(QStringLiteral("ACTIVE SEARCH"), fld_active);

    QPushButton* apply = makeButton(QStringLiteral("Apply"), QStringLiteral("btn_apply"));
    QPushButton* all = makeButton(QStringLiteral("Show all"), QStringLiteral("btn_show_all"));
    QPushButton* cancel = makeButton(QStringLiteral("Cancel"), QStringLiteral("btn_cancel"));
    apply->setDefault(true);
    guard_.connect(apply, &QPushButton::clicked, [this] { accept(); });
    guard_.connect(all, &QPushButton::clicked, [this] { showAll(); });
    guard_.connect(cancel, &QPushButton::clicked, [this] { reject(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {apply, all, cancel})
        buttons->addWidget(button);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    show(last);
    setMinimumWidth(520);
}

void TJob_Search_Filter::show(const JobSearchFilter& filter) {
    auto showDate = [](DatePicker* picker, const QDate& date) {
        if (date.isValid())
            picker->setDate(date);
        else
            picker->setAbsent();
    };
    showDate(fld_from, filter.from);
    showDate(fld_to, filter.to);
    fld_state->setCurrentIndex(std::max(0, fld_state->findText(filter.state)));
    fld_city->setText(filter.city);
    fld_contact->setText(filter.contact);
    fld_title->setText(filter.title);
    fld_submitted->setCurrentIndex(int(filter.submitted));
    fld_active->setCurrentIndex(int(filter.active));
}

void TJob_Search_Filter::showAll() {
    show(JobSearchFilter());
    accept();
}

JobSearchFilter TJob_Search_Filter::chosen() const {
    JobSearchFilter filter;
    if (!fld_from->isAbsent())
        filter.from = fld_from->date();
    if (!fld_to->isAbsent())
        filter.to = fld_to->date();
    if (fld_state->currentIndex() > 0)
        filter.state = fld_state->currentText();
    filter.city = fld_city->text().trimmed();
    filter.contact = fld_contact->text().trimmed();
    filter.title = fld_title->text().trimmed();
    filter.submitted = JobSearchFilter::Status(fld_submitted->currentIndex());
    filter.active = JobSearchFilter::Status(fld_active->currentIndex());
    return filter;
}
