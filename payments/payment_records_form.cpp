#include "payments/payment_records_form.h"

#include "datastore/data_module.h"
#include "datastore/field_text.h"
#include "datastore/table_names.h"
#include "forms/column_delegate.h"
#include "forms/date_picker.h"
#include "forms/dialogs.h"
#include "forms/item_file.h"
#include "forms/lookup_list.h"
#include "forms/pick_list_form.h"
#include "forms/record_binding.h"
#include "forms/record_grid.h"
#include "forms/record_history_dialog.h"
#include "forms/text_input.h"
#include "payments/proof_files.h"
#include "platform/database_error.h"
#include "platform/kbx.h"
#include "reports/csv_export_action.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSqlRecord>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

namespace pay = columns::payments;

const QStringList kGridColumns = {pay::category, pay::itemDate, pay::dateSent, pay::checkNbr,
                                  pay::ssAmt,    pay::rpAmt,    pay::csAmt,    pay::otherAmt};

enum DateIndex { Item, Sent, Available, SecondTry, ThirdTry, Delivered, Returned, Cleared };

const QColor kMissingProof(255, 200, 200);

// The grid's texts, on a red ground in the rows of payments whose proof
// file is named but not there. Whether a file is there is asked once per
// path until the rows are read again.
class ProofMarking : public ColumnDelegate {
public:
    ProofMarking(TableModel& payments, QObject* parent)
        : ColumnDelegate(payments, parent), payments_(payments) {
        QObject::connect(&payments, &QAbstractItemModel::modelReset, this,
                         [this] { missing_.clear(); });
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        ColumnDelegate::initStyleOption(option, index);
        const QString itemFile =
            payments_.index(index.row(), payments_.fieldIndex(pay::itemFile)).data().toString();
        auto known = missing_.constFind(itemFile);
        if (known == missing_.constEnd())
            known = missing_.insert(itemFile, proof_files::isMissing(itemFile));
        if (*known)
            option->backgroundBrush = kMissingProof;
    }

private:
    TableModel& payments_;
    mutable QHash<QString, bool> missing_;
};

}  // namespace

Tpayment_records_form::Tpayment_records_form(TDataModule2& dataModule, Dialogs& dialogs,
                                             QWidget* parent)
    : RecordForm(dialogs, parent),
      dataModule_(dataModule),
      binding_(new RecordBinding(*dataModule.table(tables::payments), this)),
      btn_history(makeButton(QStringLiteral("History…"), QStringLiteral("btn_history"))),
      cb_save_return_date(new QCheckBox(QStringLiteral("Save the returned date"))),
      lbl_current_filter(new QLabel) {
    setObjectName(QStringLiteral("payment_records_form"));
    setWindowTitle(QStringLiteral("Maintain Payment Records"));
    cb_save_return_date->setObjectName(QStringLiteral("cb_save_return_date"));
    cb_save_return_date->setStyleSheet(
        QStringLiteral("color: red; font-weight: bold; text-decoration: underline;"));
    cb_save_return_date->hide();
    lbl_current_filter->setObjectName(QStringLiteral("lbl_current_filter"));

    auto* work = new QVBoxLayout;
    work->addWidget(buildGrid(), 1);
    work->addWidget(buildFields());
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildSidePanel());
    layout->addLayout(work, 1);
    resize(1000, 740);

    states_.setFields(fields_);
    states_.setGrids({DBGrid1});
    states_.setShownWhileEditing({cb_save_return_date});
    states_.setNormalOnly({btn_history});
    guard_.connect(buttons_.add, &QPushButton::clicked, [this] { btn_addClick(); });
    guard_.connect(buttons_.edit, &QPushButton::clicked, [this] { btn_editClick(); });
    guard_.connect(buttons_.remove, &QPushButton::clicked, [this] { btn_deleteClick(); });
    guard_.connect(buttons_.save, &QPushButton::clicked, [this] { btn_saveClick(); });
    guard_.connect(buttons_.cancel, &QPushButton::clicked, [this] { btn_cancelClick(); });
    // A returned date the user sets is one to keep.
    connect(dates_[Returned].picker, &QDateEdit::dateChanged, cb_save_return_date,
            [this] { cb_save_return_date->setChecked(true); });
}

QWidget* Tpayment_records_form::buildSidePanel() {
    QGroupBox* panel = makeEditingSidePanel(
        {buttons_.add, buttons_.edit, buttons_.remove, buttons_.save, buttons_.cancel});
    auto* layout = static_cast<QVBoxLayout*>(panel->layout());
    layout->addWidget(makeSidePanelPicture(120));
    QPushButton* exportCsv =
        makeButton(QStringLiteral("Export CSV…"), QStringLiteral("btn_export_csv"));
    guard_.connect(exportCsv, &QPushButton::clicked, [this] { btn_export_csvClick(); });
    layout->addWidget(exportCsv);
    QPushButton* openFile =
        makeButton(QStringLiteral("Open file"), QStringLiteral("btn_open_file"));
    guard_.connect(openFile, &QPushButton::clicked, [this] { btn_open_fileClick(); });
    layout->addWidget(openFile);
    guard_.connect(btn_history, &QPushButton::clicked, [this] { btn_historyClick(); });
    layout->addWidget(btn_history);
    auto* legend = new QLabel(QStringLiteral("Rows in red: the item file they name is missing."));
    legend->setWordWrap(true);
    legend->setStyleSheet(
        QStringLiteral("background: %1; padding: 2px;").arg(kMissingProof.name()));
    layout->addWidget(legend);
    layout->addStretch();
    layout->addWidget(new QLabel(QStringLiteral("CURRENT FILTER:")));
    lbl_current_filter->setWordWrap(true);
    layout->addWidget(lbl_current_filter);
    return panel;
}

QTableView* Tpayment_records_form::buildGrid() {
    TableModel& payments = binding_->model();
    DBGrid1 = makeRecordGrid(payments);
    DBGrid1->setItemDelegate(new ProofMarking(payments, DBGrid1));
    std::vector<GridColumn> shown;
    for (const QString& column : kGridColumns)
        shown.push_back({column});
    showGridColumns(DBGrid1, payments, shown);
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && !states_.isEditing())
                    binding_->showRow(current.row());
            });
    return DBGrid1;
}

QWidget* Tpayment_records_form::addField(QGridLayout* layout, int row, int column,
                                         const QString& label, QWidget* field, const QString& name,
                                         const QString& columnName, int span) {
    field->setObjectName(name);
    auto* caption = new QLabel(label);
    caption->setBuddy(field);
    // On a narrow screen a caption takes two lines rather than squeezing the fields.
    caption->setWordWrap(true);
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(caption, row, column * 2);
    layout->addWidget(field, row, column * 2 + 1, 1, span * 2 - 1);
    binding_->bind(field, columnName);
    fields_.append(field);
    return field;
}

QLineEdit* Tpayment_records_form::addEdit(QGridLayout* layout, int row, int column,
                                          const QString& label, const QString& name,
                                          const QString& columnName, int span) {
    auto* edit = new QLineEdit;
    upperCaseAsTyped(edit);
    addField(layout, row, column, label, edit, name, columnName, span);
    return edit;
}

void Tpayment_records_form::addDateField(QGridLayout* layout, int row, int column,
                                         const QString& label, const QString& name,
                                         const QString& pickerName, const QString& columnName) {
    auto* field = new QLineEdit;
    addField(layout, row, column, label, field, name, columnName, 1);
    auto* picker = new DatePicker(guard_, layout->parentWidget());
    picker->setObjectName(pickerName);
    // The field is as wide as the picker laid over it needs for any date.
    field->setMinimumWidth(picker->sizeHint().width());
    picker->hide();
    // While a picker is shown it takes the keys; the field under it shows
    // the stored date only.
    field->setFocusPolicy(Qt::NoFocus);
    dates_.push_back({field, picker});
}

QWidget* Tpayment_records_form::buildFields() {
    auto* container = new QWidget;
    auto* grid = new QGridLayout(container);
    auto lookup = [this](const QString& table) {
        auto* list = new LookupList(dataModule_.table(table));
        guard_.onKey(list, Qt::Key_F2, [this] { lookupKeyDown(); });
        return list;
    };
    addField(grid, 0, 0, "CATEGORY", lookup(tables::categories), "fld_category", pay::category, 2);
    addEdit(grid, 0, 2, "CHECK NBR", "fld_check_nbr", pay::checkNbr);
    addField(grid, 1, 0, "ITEM", lookup(tables::items), "fld_item", pay::item, 4);

    addDateField(grid, 2, 0, "ITEM DATE", "fld_item_date", "DateTimePicker_item_date",
                 pay::itemDate);
    addDateField(grid, 2, 1, "DATE SENT", "fld_date_sent", "DateTimePicker_date_sent",
                 pay::dateSent);
    addDateField(grid, 2, 2, "DATE AVAIL", "fld_date_avail", "DateTimePicker_date_available",
                 pay::dateAvail);
    addDateField(grid, 2, 3, "2ND TRY", "fld_date_2nd_try", "DateTimePicker_date_2nd_try",
                 pay::date2ndTry);
    addDateField(grid, 3, 0, "3RD TRY", "fld_date_3rd_try", "DateTimePicker_date_3rd_try",
                 pay::date3rdTry);
    addDateField(grid, 3, 1, "DATE DELVD", "fld_date_del", "DateTimePicker_date_delivered",
                 pay::dateDel);
    addDateField(grid, 3, 2, "DATE RTND", "fld_date_returned", "DateTimePicker_date_returned",
                 pay::dateReturned);
    addDateField(grid, 3, 3, "DATE CLRD", "fld_date_cleared", "DateTimePicker_date_cleared",
                 pay::dateClear);

    intervals_.sentToAvailable =
        addEdit(grid, 4, 0, "SENT TO AVAIL", "fld_sent_to_avail", pay::daysSentToAvail);
    intervals_.sentToDelivered =
        addEdit(grid, 4, 1, "SENT TO DEL", "fld_sent_to_del", pay::daysSentToDel);
    intervals_.availableToDelivered =
        addEdit(grid, 4, 2, "AVAIL TO DEL", "fld_avail_to_del", pay::daysAvailToDel);
    intervals_.deliveredToCleared =
        addEdit(grid, 4, 3, "DEL TO CLEAR", "fld_del_to_clear", pay::daysDelToClear);
    intervals_.sentToCleared =
        addEdit(grid, 5, 0, "SENT TO CLRD", "fld_sent_to_clear", pay::daysSentToClear);
    grid->addWidget(cb_save_return_date, 5, 2, 1, 5);

    amounts_ = {addEdit(grid, 6, 0, "SPOU SPT AMT", "fld_spousal_support_amt", pay::ssAmt),
                addEdit(grid, 6, 1, "RET PAY AMT", "fld_retired_pay_amt", pay::rpAmt),
                addEdit(grid, 6, 2, "OTHER AMT", "fld_other_amt", pay::otherAmt),
                addEdit(grid, 6, 3, "CHILD SUP AMT", "fld_child_support_amt", pay::csAmt)};

    addField(grid, 7, 0, "CARRIER", lookup(tables::carriers), "fld_carrier", pay::carrier, 2);
    addEdit(grid, 7, 2, "CARRIER NUMBER", "fld_carrier_nbr", pay::carrNbr, 2);
    // A path keeps its letter case: the file system tells upper from lower.
    fld_item_file = new QLineEdit;
    addField(grid, 8, 0, "ITEM FILE", fld_item_file, "fld_item_file", pay::itemFile, 4);
    guard_.onKey(fld_item_file, Qt::Key_F2, [this] { fld_item_fileKeyDown(); });
    guard_.onDoubleClick(fld_item_file, [this] { btn_open_fileClick(); });
    addField(grid, 9, 0, "COMMENT", lookup(tables::paymentComments), "fld_comment", pay::comment,
             4);
    fld_memo = new QPlainTextEdit;
    fld_memo->setFixedHeight(60);
    addField(grid, 10, 0, "MEMO", fld_memo, "fld_memo", pay::memo, 4);
    return container;
}

void Tpayment_records_form::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (states_.isEditing())
        QTimer::singleShot(0, this, &Tpayment_records_form::enable_date_pickers_set_position);
}

void Tpayment_records_form::FormActivate() {
    states_.enterNormalState();
    disable_date_pickers();
    lbl_current_filter->setText(binding_->model().filter());
    binding_->showRow(0);
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->setCurrentIndex(
        binding_->model().index(0, binding_->model().fieldIndex(pay::category)));
}

void Tpayment_records_form::enable_date_pickers_set_position() {
    for (const DateField& date : dates_) {
        date.picker->setGeometry(date.field->geometry());
        date.picker->raise();
    }
}

void Tpayment_records_form::enable_date_pickers() {
    for (const DateField& date : dates_) {
        date.picker->setEnabled(true);
        date.picker->show();
    }
}

void Tpayment_records_form::disable_date_pickers() {
    for (const DateField& date : dates_) {
        date.picker->setEnabled(false);
        date.picker->hide();
    }
    if (!cb_save_return_date->isChecked())
        dates_[Returned].field->clear();
}

// A date the form sets is no choice of the user's: it ticks nothing.
void Tpayment_records_form::presetPicker(DatePicker* picker, const QDate& date) {
    const QSignalBlocker quiet(picker);
    picker->setDate(date);
}

// The texts the fields show as the change begins, and the record they show.
void Tpayment_records_form::beginChange(const PaymentRecord& base) {
    base_ = base;
    binding_->rememberShownTexts();
}

void Tpayment_records_form::date_pickers_set_date_on_edit() {
    const payment_rules::PickerDates presets =
        payment_rules::presetsOnEdit(base_, QDate::currentDate());
    const QDate ordered[] = {presets.item,      presets.sent,     presets.available,
                             presets.secondTry, presets.thirdTry, presets.delivered,
                             presets.returned,  presets.cleared};
    for (int index = Item; index <= Cleared; ++index)
        presetPicker(dates_[index].picker, ordered[index]);
}

std::optional<QDate> Tpayment_records_form::pickedDate(int index) const {
    const DatePicker* picker = dates_[index].picker;
    return picker->isAbsent() ? std::nullopt : std::optional<QDate>(picker->date());
}

// The record as the screen shows it: the dates the pickers hold, and the
// value of every field whose text changed since the change began. The
// returned date is taken only while "Save the returned date" is ticked;
// otherwise the stored one is kept, absent staying absent.
PaymentRecord Tpayment_records_form::recordOnScreen() const {
    PaymentRecord record = base_;
    for (const auto& [column, value] : binding_->changedValues())
        payments::setColumnValue(record, column, value);
    std::optional<QDate>* const dates[] = {&record.itemDate,  &record.sent,     &record.available,
                                           &record.secondTry, &record.thirdTry, &record.delivered,
                                           &record.returned,  &record.cleared};
    for (int index = Item; index <= Cleared; ++index)
        if (index != Returned || cb_save_return_date->isChecked())
            *dates[index] = pickedDate(index);
    return record;
}

// The stored records are written: a record being changed is saved or
// cancelled first, so the file never misses what the screen shows.
void Tpayment_records_form::btn_export_csvClick() {
    if (states_.isEditing()) {
        dialogs_.message(this, QStringLiteral("MESSAGE"),
                         QStringLiteral("Save or cancel the record being changed before "
                                        "exporting the records."),
                         Buttons::Ok);
        return;
    }
    exportShownRows(dialogs_, this, binding_->model(), QStringLiteral("payments.csv"));
}

// The item file is the payment's proof: a scan of the cheque, a receipt.
void Tpayment_records_form::btn_open_fileClick() {
    const QString path = proof_files::namedFile(fld_item_file->text());
    QString refusal;
    if (path.isEmpty())
        refusal = QStringLiteral("This payment names no item file.");
    else if (proof_files::isMissing(path))
        refusal = QStringLiteral(
                      "The item file %1 is not there: it was moved, renamed or "
                      "deleted.")
                      .arg(path);
    else if (!dialogs_.openWithDesktop(path))
        refusal = QStringLiteral("No program of this desktop opens %1.").arg(path);
    if (!refusal.isEmpty())
        dialogs_.message(this, QStringLiteral("MESSAGE"), refusal, Buttons::Ok);
}

void Tpayment_records_form::btn_historyClick() {
    if (binding_->currentRow() < 0) {
        dialogs_.message(this, QStringLiteral("MESSAGE"),
                         QStringLiteral("There is no payment record to show the history of."),
                         Buttons::Ok);
        return;
    }
    const QString key = record_history::recordKey(binding_->value(pay::pk).toDouble());
    showRecordHistory(this, dataModule_.connection(), tables::payments, key,
                      QStringLiteral("HISTORY OF PAYMENT %1").arg(key));
}

void Tpayment_records_form::btn_addClick() {
    binding_->appendRow();
    beginChange(PaymentRecord());
    states_.enterAddEditState();
    enable_date_pickers_set_position();
    enable_date_pickers();
    // Only the item and the sending happen when a payment is made; the rest
    // wait until the user sets them.
    for (const DateField& date : dates_)
        presetPicker(date.picker, field_text::kAbsentDate);
    presetPicker(dates_[Item].picker, QDate::currentDate());
    presetPicker(dates_[Sent].picker, QDate::currentDate());
}

void Tpayment_records_form::btn_editClick() {
    if (binding_->currentRow() < 0) {
        dialogs_.message(
            this, QStringLiteral("MESSAGE"),
            QStringLiteral("There is no payment record to edit: press Add to make one."),
            Buttons::Ok);
        return;
    }
    const double pk = binding_->value(pay::pk).toDouble();
    const std::optional<PaymentRecord> stored = payments::load(dataModule_.connection(), pk);
    if (!stored)
        throw DatabaseError(
            QStringLiteral("The payment record is no longer there: it may have "
                           "been deleted meanwhile."));
    beginChange(*stored);
    enable_date_pickers_set_position();
    enable_date_pickers();
    date_pickers_set_date_on_edit();
    states_.enterAddEditState();
}

// The record and its history entry go in one transaction; a refused
// delete leaves both as they were.
void Tpayment_records_form::deleteCurrent() {
    const int row = binding_->currentRow();
    try {
        payments::remove(dataModule_.connection(), binding_->value(pay::pk).toDouble(),
                         QStringLiteral("PAYMENT FORM"));
    } catch (const DatabaseError& refusal) {
        reportFailure(QStringLiteral("The payment record was not deleted."), refusal.message());
        return;
    }
    dataModule_.announce({tables::payments});
    binding_->showRow(qBound(0, row, binding_->model().rowCount() - 1));
}

void Tpayment_records_form::btn_deleteClick() {
    if (binding_->currentRow() < 0) {
        dialogs_.message(this, QStringLiteral("MESSAGE"),
                         QStringLiteral("There is no payment record to delete."), Buttons::Ok);
        return;
    }
    if (confirmRecordDelete(dialogs_, this)) {
        deleteCurrent();
        DBGrid1->selectRow(binding_->currentRow());
    }
    disable_date_pickers();
    states_.enterNormalState();
}

void Tpayment_records_form::emptyAmountsToZero() {
    for (QLineEdit* amount : amounts_)
        if (amount->text().trimmed().isEmpty())
            amount->setText(QStringLiteral("0"));
}

// The intervals the record is saved with, shown in their fields.
void Tpayment_records_form::writeIntervals(const PaymentRecord& record) {
    intervals_.sentToAvailable->setText(QString::number(record.daysSentToAvailable));
    intervals_.availableToDelivered->setText(QString::number(record.daysAvailableToDelivered));
    intervals_.sentToDelivered->setText(QString::number(record.daysSentToDelivered));
    intervals_.deliveredToCleared->setText(QString::number(record.daysDeliveredToCleared));
    intervals_.sentToCleared->setText(QString::number(record.daysSentToCleared));
}

void Tpayment_records_form::btn_saveClick() {
    const bool editing = !binding_->model().isNewRow(binding_->currentRow());
    emptyAmountsToZero();
    PaymentRecord record = recordOnScreen();
    payment_rules::completeForSave(record, kbx::_kbx_refnum_from_tdatetime);
    writeIntervals(record);
    if (!writeFields(*binding_))
        return;
    try {
        payments::store(dataModule_.connection(), record, QStringLiteral("PAYMENT FORM"),
                        editing ? std::optional<PaymentRecord>(base_) : std::nullopt);
    } catch (const DatabaseError& refusal) {
        reportFailure(QStringLiteral("The payment record was not saved."), refusal.message());
        return;
    }
    // One transaction wrote the record; a refused one wrote nothing, and the
    // grid keeps what the user typed to correct it.
    dataModule_.announce({tables::payments});
    showStored(*record.pk);
    disable_date_pickers();
    states_.enterNormalState();
}

// The stored row, once the shared table has been read again.
void Tpayment_records_form::showStored(double pk) {
    TableModel& payments = binding_->model();
    const int changedRow = binding_->currentRow();
    const int row = payments.rowOf(pay::pk, pk);
    binding_->showRow(row >= 0 ? row : qBound(0, changedRow, payments.rowCount() - 1));
    DBGrid1->selectRow(binding_->currentRow());
}

void Tpayment_records_form::btn_cancelClick() {
    binding_->cancel();
    DBGrid1->selectRow(binding_->currentRow());
    disable_date_pickers();
    states_.enterNormalState();
}

void Tpayment_records_form::lookupKeyDown() {
    Tpick_list_form pickLists(dataModule_, dialogs_, this);
    pickLists.exec();
}

void Tpayment_records_form::fld_item_fileKeyDown() {
    browseForItemFile(dialogs_, this, *dataModule_.table(tables::configuration), fld_item_file);
}

void Tpayment_records_form::dropChange() {
    binding_->cancel();
}
