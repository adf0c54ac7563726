#include "jobsearch/job_search_form.h"

#include "datastore/data_module.h"
#include "datastore/state_codes.h"
#include "datastore/table_names.h"
#include "forms/date_picker.h"
#include "forms/dialogs.h"
#include "forms/item_file.h"
#include "forms/lookup_list.h"
#include "forms/pick_list_form.h"
#include "forms/record_binding.h"
#include "forms/record_grid.h"
#include "forms/record_history_dialog.h"
#include "forms/text_input.h"
#include "jobsearch/job_search_filter_dialog.h"
#include "jobsearch/job_search_rules.h"
#include "platform/database_error.h"
#include "platform/kbx.h"
#include "reports/csv_export_action.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlRecord>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

namespace job = columns::jobSearch;

const QString kNewestFirst = QStringLiteral("YYYYMMDD_TIME_DESCENDING");

// The grid's columns in their order, each with a value as wide as its widest.
struct ShownColumn {
    GridColumn grid;
    QString widestValue;
};
const ShownColumn kGridColumns[] = {
    {{job::active, "ACTIVE_"}, "FALSE"},      {{job::date, "DATE", 70}, "12/31/2026"},
    {{job::time, "TIME"}, "23:59"},           {{job::posTitle, "TITLE", 200}, ""},
    {{job::contactName, "CONTACT", 175}, ""}, {{job::email, "EMAIL"}, "FALSE"},
    {{job::posType, "TYPE"}, "WW"},           {{job::posCity, "CITY", 165}, ""},
    {{job::posState, "STATE"}, "WW"}};

QComboBox* trueFalseList() {
    return makeDropDown({QStringLiteral("TRUE"), QStringLiteral("FALSE")});
}

}  // namespace

TJob_Search::TJob_Search(TDataModule2& dataModule, Dialogs& dialogs, QWidget* parent)
    : RecordForm(dialogs, parent),
      dataModule_(dataModule),
      jobs_(*dataModule.ownModel(tables::jobSearch, this)),
      binding_(new RecordBinding(jobs_, this)),
      btn_followup(makeButton(QStringLiteral("Followup"), QStringLiteral("btn_followup"))),
      btn_filter_records(
          makeButton(QStringLiteral("Filter Records"), QStringLiteral("btn_filter_records"))),
      btn_history(makeButton(QStringLiteral("History…"), QStringLiteral("btn_history"))),
      fld_related(new QCheckBox(QStringLiteral("Update Related Records"))),
      lbl_current_filter(new QLabel),
      lbl_records(new QLabel) {
    setObjectName(QStringLiteral("Job_Search"));
    setWindowTitle(QStringLiteral("Maintain Job Search Records"));
    fld_related->setObjectName(QStringLiteral("fld_related"));
    lbl_current_filter->setObjectName(QStringLiteral("lbl_current_filter"));
    lbl_records->setObjectName(QStringLiteral("lbl_records"));

    auto* work = new QVBoxLayout;
    work->addWidget(buildGrid(), 1);
    work->addWidget(buildFields());
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildSidePanel());
    layout->addLayout(work, 1);
    resize(1000, 720);

    fields_.append(fld_related);
    states_.setFields(fields_);
    states_.setGrids({DBGrid1});
    states_.setShownWhileEditing({fld_related});
    states_.setNormalOnly({btn_history});
    guard_.connect(buttons_.add, &QPushButton::clicked, [this] { btn_addClick(); });
    guard_.connect(btn_followup, &QPushButton::clicked, [this] { btn_followupClick(); });
    guard_.connect(buttons_.edit, &QPushButton::clicked, [this] { btn_editClick(); });
    guard_.connect(buttons_.remove, &QPushButton::clicked, [this] { btn_deleteClick(); });
    guard_.connect(buttons_.save, &QPushButton::clicked, [this] { btn_saveClick(); });
    guard_.connect(buttons_.cancel, &QPushButton::clicked, [this] { btn_cancelClick(); });
    guard_.connect(btn_filter_records, &QPushButton::clicked,
                   [this] { btn_filter_recordsClick(); });
}

QWidget* TJob_Search::buildSidePanel() {
    QGroupBox* panel =
        makeEditingSidePanel({buttons_.add, btn_followup, buttons_.edit, buttons_.remove,
                              buttons_.save, buttons_.cancel, btn_filter_records});
    auto* layout = static_cast<QVBoxLayout*>(panel->layout());
    layout->addWidget(makeSidePanelPicture(120));
    QPushButton* exportCsv =
        makeButton(QStringLiteral("Export CSV…"), QStringLiteral("btn_export_csv"));
    guard_.connect(exportCsv, &QPushButton::clicked, [this] { btn_export_csvClick(); });
    layout->addWidget(exportCsv);
    guard_.connect(btn_history, &QPushButton::clicked, [this] { btn_historyClick(); });
    layout->addWidget(btn_history);
    layout->addStretch();
    layout->addWidget(new QLabel(QStringLiteral("CURRENT FILTER:")));
    lbl_current_filter->setWordWrap(true);
    layout->addWidget(lbl_current_filter);
    layout->addWidget(lbl_records);
    return panel;
}

// The widths given are the least: a column is as wide as its title and its
// widest value need.
QTableView* TJob_Search::buildGrid() {
    DBGrid1 = makeRecordGrid(jobs_);
    const QFontMetrics metrics(DBGrid1->font());
    std::vector<GridColumn> shown;
    for (const ShownColumn& each : kGridColumns) {
        GridColumn column = each.grid;
        column.width = std::max(column.width, std::max(metrics.horizontalAdvance(each.widestValue),
                                                       metrics.horizontalAdvance(column.title)) +
                                                  16);
        shown.push_back(column);
    }
    showGridColumns(DBGrid1, jobs_, shown);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && !states_.isEditing())
                    binding_->showRow(current.row());
            });
    return DBGrid1;
}

template <typename Field>
Field* TJob_Search::addField(QGridLayout* layout, int row, int column, const QString& label,
                             Field* field, const QString& name, const QString& columnName,
                             int span) {
    field->setObjectName(name);
    if (!label.isEmpty()) {
        auto* caption = new QLabel(label);
        caption->setBuddy(field);
        layout->addWidget(caption, row, column * 2, Qt::AlignRight);
    }
    layout->addWidget(field, row, column * 2 + 1, 1, span * 2 - 1);
    binding_->bind(field, columnName);
    fields_.append(field);
    return field;
}

QComboBox* TJob_Search::lookup(const QString& table) {
    return new LookupList(dataModule_.table(table));
}

QWidget* TJob_Search::buildFields() {
    auto* container = new QWidget;
    auto* grid = new QGridLayout(container);
    fld_date = addField(grid, 0, 0, "DATE", new QLineEdit, "fld_date", job::date);
    upperCaseAsTyped(fld_date);
    DateTimePicker_date = new DatePicker(guard_, container);
    DateTimePicker_date->setObjectName(QStringLiteral("DateTimePicker_date"));
    DateTimePicker_date->setDate(QDate::currentDate());
    DateTimePicker_date->hide();
    fld_date->setMinimumWidth(DateTimePicker_date->sizeHint().width());
    // While the picker is shown it takes the keys; the field under it shows
    // the stored date only.
    fld_date->setFocusPolicy(Qt::NoFocus);
    QComboBox* time = addField(grid, 0, 1, "TIME", lookup(tables::times), "fld_time", job::time);
    time->setMinimumWidth(105);

    QComboBox* contact = addField(grid, 1, 0, "CONTACT NAME", lookup(tables::contactNames),
                                  "fld_contact_name", job::contactName);
    QComboBox* city =
        addField(grid, 2, 0, "POSITION CITY", lookup(tables::cities), "fld_city", job::posCity);
    QComboBox* title = addField(grid, 3, 0, "POSITION TITLE", lookup(tables::positionTitles),
                                "fld_postitle", job::posTitle, 2);
    QComboBox* reason =
        addField(grid, 5, 1, "REASON", lookup(tables::reasons), "fld_reason", job::reasonNoSubmit);
    QComboBox* comment = addField(grid, 7, 0, "COMMENT", lookup(tables::jobSearchComments),
                                  "fld_comment", job::comment, 2);
    for (QComboBox* list : {contact, city, title, reason, comment})
        guard_.onKey(list, Qt::Key_F2, [this] { lookupKeyDown(); });

    QComboBox* email =
        addField(grid, 1, 1, "EMAIL CONTACT", trueFalseList(), "fld_email", job::email);
    fld_active = addField(grid, 2, 1, "ACTIVE SEARCH", trueFalseList(), "fld_active", job::active);
    QStringList states{QStringLiteral("--")};
    states.append(stateCodes());
    QComboBox* state =
        addField(grid, 4, 1, "POSITION STATE", makeDropDown(states), "fld_state", job::posState);
    QComboBox* type = addField(grid, 4, 0, "POSITION TYPE", lookup(tables::positionCodes),
                               "fld_pos_type", job::posType);
    type->setMinimumWidth(180);
    QComboBox* submitted =
        addField(grid, 5, 0, "SUBMITTED", trueFalseList(), "fld_submitted", job::submitted);
    // A path keeps its letter case: the file system tells upper from lower.
    fld_item_file =
        addField(grid, 6, 0, "ITEM FILE", new QLineEdit, "fld_item_file", job::itemFile, 2);
    guard_.onKey(fld_item_file, Qt::Key_F2, [this] { fld_item_fileKeyDown(); });
    auto* memo = addField(grid, 8, 0, QString(), new QPlainTextEdit, "fld_memo", job::memo, 2);
    memo->setFixedHeight(60);
    grid->addWidget(fld_related, 9, 1, 1, 3);
    tabInOrder({DateTimePicker_date, time, contact, email, city, fld_active, title, type, state,
                submitted, reason, fld_item_file, comment, memo, fld_related});
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return container;
}

void TJob_Search::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (states_.isEditing())
        QTimer::singleShot(0, this, &TJob_Search::showDatePicker);
}

void TJob_Search::FormActivate() {
    hideDatePicker();
    states_.enterNormalState();
    showFirstRow();
}

void TJob_Search::showFirstRow() {
    binding_->showRow(0);
    DBGrid1->setCurrentIndex(DBGrid1->model()->index(0, jobs_.fieldIndex(job::date)));
    const bool filtered = !jobs_.filter().isEmpty();
    lbl_current_filter->setText(filtered ? filter_.description() : QString());
    const int count = jobs_.rowCount();
    const QString records =
        count == 1 ? QStringLiteral("1 record") : QStringLiteral("%1 records").arg(count);
    lbl_records->setText(filtered ? records + QStringLiteral(" match") : records);
}

// The picker covers the date field exactly while a record is changed.
void TJob_Search::showDatePicker() {
    DateTimePicker_date->setGeometry(fld_date->geometry());
    DateTimePicker_date->setEnabled(true);
    DateTimePicker_date->show();
    DateTimePicker_date->raise();
}

void TJob_Search::hideDatePicker() {
    DateTimePicker_date->setEnabled(false);
    DateTimePicker_date->hide();
}

void TJob_Search::btn_addClick() {
    states_.enterAddEditState();
    showDatePicker();
    binding_->appendRow();
    beginChange(JobSearchRecord());
}

// The texts the fields show as the change begins, and the record they show.
void TJob_Search::beginChange(const JobSearchRecord& base) {
    base_ = base;
    binding_->rememberShownTexts();
}

// The record as the screen shows it: the date the picker holds, and the
// value of every field whose text changed since the change began.
JobSearchRecord TJob_Search::recordOnScreen() const {
    JobSearchRecord record = base_;
    for (const auto& [column, value] : binding_->changedValues())
        jobsearch::setColumnValue(record, column, value);
    record.date = DateTimePicker_date->isAbsent()
                      ? std::nullopt
                      : std::optional<QDate>(DateTimePicker_date->date());
    return record;
}

// The fields of the row being added show the record.
void TJob_Search::showRecordInFields(const JobSearchRecord& record) {
    for (const schema::Column& column : jobs_.definition().columns)
        binding_->setValue(column.name, jobsearch::columnValue(record, column.name));
}

void TJob_Search::btn_editClick() {
    if (binding_->currentRow() < 0) {
        dialogs_.message(
            this, QStringLiteral("MESSAGE"),
            QStringLiteral("There is no job search record to edit: press Add to make one."),
            Buttons::Ok);
        return;
    }
    const std::optional<JobSearchRecord> stored =
        jobsearch::load(dataModule_.connection(), binding_->value(job::pk).toDouble());
    if (!stored)
        throw DatabaseError(
            QStringLiteral("The job search record is no longer there: it may "
                           "have been deleted meanwhile."));
    beginChange(*stored);
    activeWhenEditBegan_ = job_search::isTrue(stored->active);
    states_.enterAddEditState();
    showDatePicker();
    if (stored->date)
        DateTimePicker_date->setDate(*stored->date);
}

// Says so and returns true while a record is being changed: `what` would
// otherwise lose or post the change.
bool TJob_Search::refusedWhileEditing(const QString& what) {
    if (!states_.isEditing())
        return false;
    dialogs_.message(this, QStringLiteral("MESSAGE"),
                     QStringLiteral("Save or cancel the record being changed before %1.").arg(what),
                     Buttons::Ok);
    return true;
}

// The stored records the filter shows, in the grid's order.
void TJob_Search::btn_export_csvClick() {
    if (refusedWhileEditing(QStringLiteral("exporting the records")))
        return;
    exportShownRows(dialogs_, this, jobs_, QStringLiteral("job_search.csv"));
}

void TJob_Search::btn_historyClick() {
    if (binding_->currentRow() < 0) {
        dialogs_.message(this, QStringLiteral("MESSAGE"),
                         QStringLiteral("There is no job search record to show the history of."),
                         Buttons::Ok);
        return;
    }
    const QString key = record_history::recordKey(binding_->value(job::pk).toDouble());
    showRecordHistory(this, dataModule_.connection(), tables::jobSearch, key,
                      QStringLiteral("HISTORY OF JOB SEARCH RECORD %1").arg(key));
}

void TJob_Search::btn_followupClick() {
    if (refusedWhileEditing(QStringLiteral("starting a follow-up")))
        return;
    const int followed = binding_->currentRow();
    std::optional<JobSearchRecord> followup;
    if (followed >= 0)
        if (const std::optional<JobSearchRecord> stored =
                jobsearch::load(dataModule_.connection(), binding_->value(job::pk).toDouble()))
            followup = job_search::followupOf(*stored, QDate::currentDate());
    if (!followup) {
        dialogs_.message(this, QStringLiteral("MESSAGE"),
                         followed < 0 ? QStringLiteral("There is no job search record to follow "
                                                       "up: press Add to make one.")
                                      : QStringLiteral("The chosen record has no reference "
                                                       "number, so a follow-up cannot join its "
                                                       "chain. Nothing was added."),
                         Buttons::Ok);
        return;
    }
    btn_addClick();
    showRecordInFields(*followup);
    beginChange(*followup);
    DateTimePicker_date->setDate(QDate::currentDate());
}

// The record and its history entry go in one transaction; a refused
// delete leaves both as they were.
void TJob_Search::deleteCurrent() {
    const int row = binding_->currentRow();
    try {
        jobsearch::remove(dataModule_.connection(), binding_->value(job::pk).toDouble(),
                          QStringLiteral("JOB SEARCH FORM"));
    } catch (const DatabaseError& refusal) {
        reportFailure(QStringLiteral("The job search record was not deleted."), refusal.message());
        return;
    }
    dataModule_.announce({tables::jobSearch});
    binding_->showRow(qBound(0, row, binding_->model().rowCount() - 1));
}

void TJob_Search::btn_deleteClick() {
    if (binding_->currentRow() < 0) {
        dialogs_.message(this, QStringLiteral("MESSAGE"),
                         QStringLiteral("There is no job search record to delete."), Buttons::Ok);
        return;
    }
    if (confirmRecordDelete(dialogs_, this)) {
        deleteCurrent();
        DBGrid1->selectRow(binding_->currentRow());
    }
    states_.enterNormalState();
    hideDatePicker();
}

// A record that fails to be stored keeps the add/edit state, so that it
// can be corrected and saved again, or cancelled. The record and the update
// of its chain are stored together or not at all.
void TJob_Search::btn_saveClick() {
    const bool editing = !jobs_.isNewRow(binding_->currentRow());
    fld_date->setText(DateTimePicker_date->fieldText());
    JobSearchRecord record = recordOnScreen();
    if (!writeFields(*binding_))
        return;
    const QDate today = QDate::currentDate();
    job_search::completeForSave(record,
                                editing ? std::optional<bool>(activeWhenEditBegan_) : std::nullopt,
                                today, kbx::_kbx_refnum_from_tdatetime);
    const jobsearch::Chain chain = fld_related->isChecked() && relatedRecordsConfirmed()
                                       ? jobsearch::Chain::TakesStatus
                                       : jobsearch::Chain::Kept;
    try {
        jobsearch::store(dataModule_.connection(), record, QStringLiteral("JOB SEARCH FORM"),
                         editing ? std::optional<JobSearchRecord>(base_) : std::nullopt, chain,
                         today);
    } catch (const DatabaseError& refusal) {
        reportFailure(QStringLiteral("The job search record was not saved."), refusal.message());
        return;
    }
    // One transaction wrote the record and its chain; a refused one wrote
    // nothing, and the grids keep what the user typed to correct it.
    dataModule_.announce({tables::jobSearch});
    states_.enterNormalState();
    hideDatePicker();
    fld_related->setChecked(false);
    showNewestFirst();
}

bool TJob_Search::relatedRecordsConfirmed() {
    const QString text =
        QStringLiteral("You have asked me to update related records to the status of ") +
        fld_active->currentText() + QStringLiteral(".\n") + QStringLiteral("If you answer ") +
        QStringLiteral("\"OK\"") +
        QStringLiteral(", it could take awhile to update, depending on the amount of\n") +
        QStringLiteral("data you have.  If you answer ") + QStringLiteral("\"CANCEL\"") +
        QStringLiteral(", the related records will not be changed\n");
    return dialogs_.message(this, QStringLiteral("RELATED RECORDS WARNING"), text,
                            Buttons::OkCancel) == Answer::Ok;
}

// After a save the whole table shows, newest first, from its first record;
// the filter chosen last is kept for the dialog. The save has had the rows
// read again already: only another filter or order reads them once more.
void TJob_Search::showNewestFirst() {
    if (!jobs_.filter().isEmpty() || jobs_.indexName() != kNewestFirst) {
        jobs_.setFilter(QString());
        jobs_.useIndex(kNewestFirst);
    }
    showFirstRow();
}

void TJob_Search::btn_cancelClick() {
    binding_->cancel();
    DBGrid1->selectRow(binding_->currentRow());
    states_.enterNormalState();
    hideDatePicker();
}

void TJob_Search::btn_filter_recordsClick() {
    if (refusedWhileEditing(QStringLiteral("filtering the records")))
        return;
    TJob_Search_Filter dialog(dialogs_, filter_, this);
    if (dialog.exec() == QDialog::Accepted)
        applyFilter(dialog.chosen());
}

void TJob_Search::applyFilter(const JobSearchFilter& filter) {
    filter_ = filter;
    const SqlCondition condition = filter.condition();
    jobs_.setFilter(condition.sql, condition.values);
    jobs_.reread();
    showFirstRow();
}

void TJob_Search::lookupKeyDown() {
    Tpick_list_form pickLists(dataModule_, dialogs_, this);
    pickLists.exec();
}

void TJob_Search::fld_item_fileKeyDown() {
    browseForItemFile(dialogs_, this, *dataModule_.table(tables::configuration), fld_item_file);
}

void TJob_Search::dropChange() {
    binding_->cancel();
}
