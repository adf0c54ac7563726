#include "worksearch/work_search_rules_form.h"

#include "datastore/data_module.h"
#include "forms/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The days in the order a week starting on Sunday lists them.
constexpr Qt::DayOfWeek kDays[] = {Qt::Sunday,   Qt::Monday, Qt::Tuesday, Qt::Wednesday,
                                   Qt::Thursday, Qt::Friday, Qt::Saturday};

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

}  // namespace

TWork_Search_Rules::TWork_Search_Rules(TDataModule2& dataModule, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      dataModule_(dataModule),
      dialogs_(dialogs),
      guard_(dialogs, this),
      fld_week_start_(named(new QComboBox, "fld_week_start")),
      fld_required_(named(new QSpinBox, "fld_required")),
      fld_different_employers_(named(new QCheckBox(QStringLiteral("Different Employers Each Week")),
                                     "fld_different_employers")),
      fld_count_submitted_(
          named(new QCheckBox(QStringLiteral("Applications Submitted")), "fld_count_submitted")),
      fld_count_followups_(
          named(new QCheckBox(QStringLiteral("Follow-ups (Records That Join A Chain)")),
                "fld_count_followups")),
      btn_save_(named(new QPushButton(QStringLiteral("Save")), "btn_save")),
      btn_cancel_(named(new QPushButton(QStringLiteral("Cancel")), "btn_cancel")) {
    setObjectName(QStringLiteral("Work_Search_Rules"));
    setWindowTitle(QStringLiteral("Work Search Rules"));
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (Qt::DayOfWeek day : kDays)
        fld_week_start_->addItem(english.dayName(day), int(day));
    fld_required_->setRange(1, worksearch::kMostRequiredPerWeek);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(btn_save_, QDialogButtonBox::AcceptRole);
    buttons->addButton(btn_cancel_, QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFields());
    layout->addWidget(buttons);
    guard_.connect(btn_save_, &QPushButton::clicked, [this] { btn_saveClick(); });
    connect(btn_cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* TWork_Search_Rules::buildFields() {
    auto* fields = new QWidget;
    auto* form = new QFormLayout(fields);
    form->addRow(QStringLiteral("WEEK STARTS ON"), fld_week_start_);
    form->addRow(QStringLiteral("CONTACTS REQUIRED PER WEEK"), fld_required_);
    form->addRow(QString(), fld_different_employers_);
    form->addRow(QStringLiteral("COUNTED AS CONTACTS"), fld_count_submitted_);
    form->addRow(QString(), fld_count_followups_);
    return fields;
}

void TWork_Search_Rules::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shownBefore_)
        return;
    shownBefore_ = true;
    guard_.run([this] { showRules(worksearch::loadWeekRules(dataModule_.connection())); });
}

void TWork_Search_Rules::showRules(const worksearch::WeekRules& rules) {
    fld_week_start_->setCurrentIndex(fld_week_start_->findData(int(rules.weekStart)));
    fld_required_->setValue(rules.requiredPerWeek);
    fld_different_employers_->setChecked(rules.differentEmployers);
    fld_count_submitted_->setChecked(rules.countSubmitted);
    fld_count_followups_->setChecked(rules.countFollowUps);
}

worksearch::WeekRules TWork_Search_Rules::rulesOnScreen() const {
    return {Qt::DayOfWeek(fld_week_start_->currentData().toInt()), fld_required_->value(),
            fld_different_employers_->isChecked(), fld_count_submitted_->isChecked(),
            fld_count_followups_->isChecked()};
}

void TWork_Search_Rules::btn_saveClick() {
    try {
        worksearch::storeWeekRules(dataModule_.connection(), rulesOnScreen());
    } catch (const worksearch::RulesRefused& refusal) {
        dialogs_.message(this, QStringLiteral("MESSAGE"), refusal.message(), Buttons::Ok);
        return;
    }
    accept();
}
