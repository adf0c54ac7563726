#include "obligations/obligations_form.h"

#include "datastore/data_module.h"
#include "forms/date_picker.h"
#include "forms/text_input.h"
#include "obligations/obligation_store.h"
#include "platform/database_error.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace obligations;

namespace {

QString dateText(const std::optional<QDate>& date) {
    return date ? date->toString(QStringLiteral("MM/dd/yyyy")) : QString();
}

QComboBox* frequencyList() {
    auto* list = new QComboBox;
    for (Frequency frequency : kFrequencies)
        list->addItem(frequencyName(frequency));
    return list;
}

QSpinBox* dayField(const QString& name) {
    auto* field = new QSpinBox;
    field->setObjectName(name);
    field->setRange(0, 31);
    field->setSpecialValueText(QStringLiteral("-"));
    return field;
}

// Only a monthly obligation has a due day, and only one due twice a month a
// second one.
void enableDueDayFields(Frequency frequency, bool editing, QSpinBox* dueDay,
                        QSpinBox* secondDueDay) {
    const bool twice = frequency == Frequency::TwiceAMonth;
    dueDay->setEnabled(editing && (twice || frequency == Frequency::Monthly));
    secondDueDay->setEnabled(editing && twice);
}

const QStringList kColumns = {QStringLiteral("Kind"),      QStringLiteral("Amount"),
                              QStringLiteral("Frequency"), QStringLiteral("Days"),
                              QStringLiteral("First due"), QStringLiteral("Last due"),
                              QStringLiteral("Order"),     QStringLiteral("Memo")};

QStringList gridRow(const Obligation& obligation) {
    QString days;
    if (obligation.dueDay != 0)
        days = QString::number(obligation.dueDay);
    if (obligation.frequency == Frequency::TwiceAMonth)
        days += QLatin1Char(',') + QString::number(obligation.secondDueDay);
    return {statementName(obligation.kind),
            QString::number(obligation.amount / 100) + QLatin1Char('.') +
                QStringLiteral("%1").arg(obligation.amount % 100, 2, 10, QLatin1Char('0')),
            frequencyName(obligation.frequency),
            days,
            dateText(obligation.firstDue),
            dateText(obligation.lastDue),
            obligation.orderReference,
            obligation.memo.section(QLatin1Char('\n'), 0, 0)};
}

}  // namespace

TObligations_Form::TObligations_Form(TDataModule2& dataModule, Dialogs& dialogs, QWidget* parent)
    : RecordForm(dialogs, parent),
      dataModule_(dataModule),
      grid_(new QTableWidget(0, int(kColumns.size()))),
      fld_kind_(new QComboBox),
      fld_amount_(new QLineEdit),
      fld_frequency_(frequencyList()),
      fld_due_day_(dayField(QStringLiteral("fld_due_day"))),
      fld_second_due_day_(dayField(QStringLiteral("fld_second_due_day"))),
      fld_first_due_(new DatePicker(guard_, nullptr)),
      fld_last_due_(new DatePicker(guard_, nullptr)),
      fld_order_(new QLineEdit),
      fld_memo_(new QPlainTextEdit),
      btn_change_from_(
          makeButton(QStringLiteral("Change from date…"), QStringLiteral("btn_change_from"))) {
    setObjectName(QStringLiteral("Obligations_Form"));
    setWindowTitle(QStringLiteral("Support Obligations"));
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->setHorizontalHeaderLabels(kColumns);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->verticalHeader()->hide();
    connect(grid_, &QTableWidget::currentCellChanged, this, [this] {
        if (!states_.isEditing())
            showChosen();
    });
    for (Kind kind : kKinds)
        fld_kind_->addItem(statementName(kind));
    fld_kind_->setObjectName(QStringLiteral("fld_kind"));
    fld_amount_->setObjectName(QStringLiteral("fld_amount"));
    fld_frequency_->setObjectName(QStringLiteral("fld_frequency"));
    fld_first_due_->setObjectName(QStringLiteral("fld_first_due"));
    fld_last_due_->setObjectName(QStringLiteral("fld_last_due"));
    fld_order_->setObjectName(QStringLiteral("fld_order"));
    fld_memo_->setObjectName(QStringLiteral("fld_memo"));
    tabLeavesMemo(fld_memo_);
    connect(fld_frequency_, &QComboBox::currentIndexChanged, this, [this] { enableDueDays(); });

    auto* main = new QVBoxLayout;
    main->addWidget(grid_, 1);
    main->addWidget(buildFields());
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(main, 1);
    layout->addWidget(buildSidePanel());

    states_.setFields({fld_kind_, fld_amount_, fld_frequency_, fld_due_day_, fld_second_due_day_,
                       fld_first_due_, fld_last_due_, fld_order_, fld_memo_});
    states_.setGrids({grid_});
    states_.setNormalOnly({btn_change_from_});
    guard_.connect(buttons_.add, &QPushButton::clicked, [this] { btn_addClick(); });
    guard_.connect(buttons_.edit, &QPushButton::clicked, [this] { btn_editClick(); });
    guard_.connect(buttons_.remove, &QPushButton::clicked, [this] { btn_deleteClick(); });
    guard_.connect(buttons_.save, &QPushButton::clicked, [this] { btn_saveClick(); });
    guard_.connect(buttons_.cancel, &QPushButton::clicked, [this] { btn_cancelClick(); });
    guard_.connect(btn_change_from_, &QPushButton::clicked, [this] { btn_change_fromClick(); });
    resize(1000, 640);
}

QWidget* TObligations_Form::buildFields() {
    auto* box = new QGroupBox(QStringLiteral("OBLIGATION"));
    auto* fields = new QGridLayout(box);
    const auto put = [fields](int row, int column, const QString& label, QWidget* field) {
        fields->addWidget(new QLabel(label), row, column);
        fields->addWidget(field, row, column + 1);
    };
    put(0, 0, QStringLiteral("Kind"), fld_kind_);
    put(0, 2, QStringLiteral("Amount"), fld_amount_);
    put(1, 0, QStringLiteral("Frequency"), fld_frequency_);
    put(1, 2, QStringLiteral("Due day"), fld_due_day_);
    put(1, 4, QStringLiteral("Second due day"), fld_second_due_day_);
    put(2, 0, QStringLiteral("First due date"), fld_first_due_);
    put(2, 2, QStringLiteral("Last due date"), fld_last_due_);
    put(3, 0, QStringLiteral("Order reference"), fld_order_);
    fields->addWidget(new QLabel(QStringLiteral("Memo")), 4, 0);
    fields->addWidget(fld_memo_, 4, 1, 1, 5);
    fld_memo_->setFixedHeight(60);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);
    fields->setColumnStretch(5, 1);
    return box;
}

QWidget* TObligations_Form::buildSidePanel() {
    QGroupBox* panel = makeEditingSidePanel(
        {buttons_.add, buttons_.edit, buttons_.remove, buttons_.save, buttons_.cancel});
    auto* column = static_cast<QVBoxLayout*>(panel->layout());
    column->addWidget(btn_change_from_);
    column->addStretch();
    return panel;
}

void TObligations_Form::FormActivate() {
    reload(std::nullopt);
    states_.enterNormalState();
    enableDueDays();
}

void TObligations_Form::reload(std::optional<qint64> chosenKey) {
    obligations_ = loadAll(dataModule_.connection());
    const QSignalBlocker quiet(grid_);
    grid_->setRowCount(int(obligations_.size()));
    int chosenRow = obligations_.empty() ? -1 : 0;
    for (int row = 0; row < int(obligations_.size()); ++row) {
        const QStringList cells = gridRow(obligations_[row]);
        for (int column = 0; column < cells.size(); ++column)
            grid_->setItem(row, column, new QTableWidgetItem(cells[column]));
        if (chosenKey && obligations_[row].key == chosenKey)
            chosenRow = row;
    }
    grid_->resizeColumnsToContents();
    grid_->setCurrentCell(chosenRow, 0);
    showChosen();
}

const Obligation* TObligations_Form::chosen() const {
    const int row = grid_->currentRow();
    return row >= 0 && row < int(obligations_.size()) ? &obligations_[row] : nullptr;
}

void TObligations_Form::showChosen() {
    const Obligation* obligation = chosen();
    showObligation(obligation ? *obligation : Obligation{});
    buttons_.edit->setEnabled(obligation != nullptr);
    buttons_.remove->setEnabled(obligation != nullptr);
    btn_change_from_->setEnabled(obligation != nullptr);
}

void TObligations_Form::showObligation(const Obligation& obligation) {
    fld_kind_->setCurrentIndex(int(obligation.kind));
    fld_amount_->setText(obligation.key || obligation.amount ? gridRow(obligation)[1] : QString());
    fld_frequency_->setCurrentIndex(int(obligation.frequency));
    fld_due_day_->setValue(obligation.dueDay);
    fld_second_due_day_->setValue(obligation.secondDueDay);
    if (obligation.firstDue.isValid())
        fld_first_due_->setDate(obligation.firstDue);
    else
        fld_first_due_->setAbsent();
    if (obligation.lastDue)
        fld_last_due_->setDate(*obligation.lastDue);
    else
        fld_last_due_->setAbsent();
    fld_order_->setText(obligation.orderReference);
    fld_memo_->setPlainText(obligation.memo);
    enableDueDays();
}

void TObligations_Form::enableDueDays() {
    enableDueDayFields(kFrequencies[std::max(0, fld_frequency_->currentIndex())],
                       states_.isEditing(), fld_due_day_, fld_second_due_day_);
}

void TObligations_Form::btn_addClick() {
    adding_ = true;
    Obligation fresh;
    fresh.firstDue = QDate::currentDate();
    showObligation(fresh);
    states_.enterAddEditState();
    enableDueDays();
    fld_kind_->setFocus();
}

void TObligations_Form::btn_editClick() {
    if (!chosen())
        return;
    adding_ = false;
    states_.enterAddEditState();
    enableDueDays();
    fld_amount_->setFocus();
}

void TObligations_Form::btn_deleteClick() {
    const Obligation* obligation = chosen();
    if (!obligation || !confirmRecordDelete(dialogs_, this))
        return;
    try {
        remove(dataModule_.connection(), *obligation->key);
    } catch (const Refused& refusal) {
        refuse(refusal.message());
    } catch (const DatabaseError& failure) {
        reportFailure(QStringLiteral("The obligation was not deleted."), failure.message());
    }
    reload(std::nullopt);
}

void TObligations_Form::refuse(const QString& message) {
    dialogs_.message(this, QStringLiteral("MESSAGE"),
                     message + QStringLiteral("\nNothing was saved."), Buttons::Ok);
}

std::optional<Obligation> TObligations_Form::obligationOnScreen() {
    const std::optional<qint64> cents = centsOfText(fld_amount_->text().trimmed());
    if (!cents) {
        refuse(QStringLiteral("The amount is dollars and cents, as 1400.00."));
        fld_amount_->setFocus();
        return std::nullopt;
    }
    Obligation obligation;
    if (!adding_ && chosen())
        obligation.key = chosen()->key;
    obligation.kind = kKinds[fld_kind_->currentIndex()];
    obligation.amount = *cents;
    obligation.frequency = kFrequencies[fld_frequency_->currentIndex()];
    obligation.dueDay = fld_due_day_->isEnabled() ? fld_due_day_->value() : 0;
    obligation.secondDueDay = fld_second_due_day_->isEnabled() ? fld_second_due_day_->value() : 0;
    if (!fld_first_due_->isAbsent())
        obligation.firstDue = fld_first_due_->date();
    if (!fld_last_due_->isAbsent())
        obligation.lastDue = fld_last_due_->date();
    obligation.orderReference = fld_order_->text();
    obligation.memo = fld_memo_->toPlainText();
    return obligation;
}

void TObligations_Form::btn_saveClick() {
    const std::optional<Obligation> obligation = obligationOnScreen();
    if (!obligation)
        return;
    try {
        std::optional<qint64> key = obligation->key;
        if (adding_)
            key = add(dataModule_.connection(), *obligation).key;
        else
            change(dataModule_.connection(), *obligation);
        states_.enterNormalState();
        reload(key);
    } catch (const Refused& refusal) {
        refuse(refusal.message());
    } catch (const DatabaseError& failure) {
        reportFailure(QStringLiteral("The obligation was not saved."), failure.message());
    }
}

void TObligations_Form::btn_cancelClick() {
    dropChange();
}

void TObligations_Form::dropChange() {
    states_.enterNormalState();
    showChosen();
}

bool TObligations_Form::changeCurrentFrom(const QDate& from, const Obligation& terms) {
    const Obligation* obligation = chosen();
    if (!obligation)
        return false;
    Obligation changed = *obligation;
    changed.key.reset();
    changed.amount = terms.amount;
    changed.frequency = terms.frequency;
    changed.dueDay = terms.dueDay;
    changed.secondDueDay = terms.secondDueDay;
    changed.firstDue = from;
    try {
        const Obligation added =
            changeFrom(dataModule_.connection(), *obligation->key, from, changed);
        reload(added.key);
        return true;
    } catch (const Refused& refusal) {
        refuse(refusal.message());
    }
    return false;
}

// Asks the date the order changes from, the new amount, frequency and due
// days.
void TObligations_Form::btn_change_fromClick() {
    const Obligation* obligation = chosen();
    if (!obligation)
        return;
    QDialog ask(this);
    ask.setWindowTitle(QStringLiteral("Change from date"));
    ask.setObjectName(QStringLiteral("Change_From"));
    auto* from = new DateField(QDate::currentDate());
    from->setObjectName(QStringLiteral("fld_change_from"));
    from->setCalendarPopup(true);
    from->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    auto* amount = new QLineEdit(gridRow(*obligation)[1]);
    amount->setObjectName(QStringLiteral("fld_new_amount"));
    QComboBox* frequency = frequencyList();
    frequency->setObjectName(QStringLiteral("fld_new_frequency"));
    frequency->setCurrentIndex(int(obligation->frequency));
    QSpinBox* dueDay = dayField(QStringLiteral("fld_new_due_day"));
    dueDay->setValue(obligation->dueDay);
    QSpinBox* secondDueDay = dayField(QStringLiteral("fld_new_second_due_day"));
    secondDueDay->setValue(obligation->secondDueDay);
    const auto enableDays = [=] {
        enableDueDayFields(kFrequencies[frequency->currentIndex()], true, dueDay, secondDueDay);
    };
    connect(frequency, &QComboBox::currentIndexChanged, &ask, enableDays);
    enableDays();
    auto* answer = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(answer, &QDialogButtonBox::accepted, &ask, &QDialog::accept);
    connect(answer, &QDialogButtonBox::rejected, &ask, &QDialog::reject);
    auto* layout = new QFormLayout(&ask);
    layout->addRow(QStringLiteral("Changed from"), from);
    layout->addRow(QStringLiteral("New amount"), amount);
    layout->addRow(QStringLiteral("Frequency"), frequency);
    layout->addRow(QStringLiteral("Due day"), dueDay);
    layout->addRow(QStringLiteral("Second due day"), secondDueDay);
    layout->addRow(answer);
    if (ask.exec() != QDialog::Accepted)
        return;
    const std::optional<qint64> cents = centsOfText(amount->text().trimmed());
    if (!cents) {
        refuse(QStringLiteral("The amount is dollars and cents, as 1400.00."));
        return;
    }
    Obligation terms;
    terms.amount = *cents;
    terms.frequency = kFrequencies[frequency->currentIndex()];
    terms.dueDay = dueDay->isEnabled() ? dueDay->value() : 0;
    terms.secondDueDay = secondDueDay->isEnabled() ? secondDueDay->value() : 0;
    changeCurrentFrom(from->date(), terms);
}
