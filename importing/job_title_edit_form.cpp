#include "importing/job_title_edit_form.h"

#include "datastore/data_module.h"
#include "datastore/table_names.h"
#include "forms/column_delegate.h"
#include "forms/dialogs.h"
#include "forms/record_grid.h"
#include "forms/text_input.h"
#include "importing/mail_text.h"
#include "importing/title_steps.h"
#include "platform/database_error.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

namespace edit = columns::titleEdits;

// The grid's cells: the reason is chosen from a drop-down of the reasons,
// the other columns are typed.
class EditsDelegate : public ColumnDelegate {
public:
    EditsDelegate(TableModel& model, const QStringList& reasons, QObject* parent)
        : ColumnDelegate(model, parent), model_(model), reasons_(reasons) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (index.column() != model_.fieldIndex(edit::reasonNoSubmit))
            return ColumnDelegate::createEditor(parent, option, index);
        auto* list = new QComboBox(parent);
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->addItems(reasons_);
        return list;
    }

private:
    TableModel& model_;
    const QStringList& reasons_;
};

void colour(QLineEdit* field, bool locked) {
    field->setStyleSheet(locked ? QStringLiteral("QLineEdit { background: red; }") : QString());
}

}  // namespace

TJob_Title_Edit::TJob_Title_Edit(TDataModule2& dataModule, Dialogs& dialogs, QWidget* parent)
    : RecordForm(dialogs, parent),
      edits_(*dataModule.ownModel(tables::titleEdits, this)),
      reasons_(*dataModule.table(tables::reasons)),
      btn_exit(makeButton(QStringLiteral("Exit"), QStringLiteral("btn_exit"))),
      btn_show_new_records(makeButton(QStringLiteral("Show Only New Records"),
                                      QStringLiteral("btn_show_new_records"))),
      btn_show_all_records(
          makeButton(QStringLiteral("Show All Records"), QStringLiteral("btn_show_all_records"))),
      Edit1(addField(QStringLiteral("Edit1"))),
      Edit2(addField(QStringLiteral("Edit2"))),
      Edit3(addField(QStringLiteral("Edit3"))),
      Edit4(addField(QStringLiteral("Edit4"))),
      cb_confirm(new QCheckBox(QStringLiteral("Confirm All Changes"))),
      lbl_mass_change(new QLabel) {
    setObjectName(QStringLiteral("Job_Title_Edit"));
    setWindowTitle(QStringLiteral("Job Title Edits"));
    cb_confirm->setObjectName(QStringLiteral("cb_confirm"));
    lbl_mass_change->setObjectName(QStringLiteral("lbl_mass_change"));

    auto* work = new QVBoxLayout;
    work->addWidget(buildGrid(), 1);
    work->addWidget(buildMassChanges());
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildSidePanel());
    layout->addLayout(work, 1);
    resize(1000, 680);

    states_.setNormalOnly({btn_exit});
    guard_.connect(buttons_.add, &QPushButton::clicked, [this] { btn_addClick(); });
    guard_.connect(buttons_.edit, &QPushButton::clicked, [this] { btn_editClick(); });
    guard_.connect(buttons_.remove, &QPushButton::clicked, [this] { btn_deleteClick(); });
    guard_.connect(buttons_.save, &QPushButton::clicked, [this] { btn_saveClick(); });
    guard_.connect(buttons_.cancel, &QPushButton::clicked, [this] { btn_cancelClick(); });
    guard_.connect(btn_exit, &QPushButton::clicked, [this] { close(); });
    guard_.connect(btn_show_new_records, &QPushButton::clicked,
                   [this] { btn_show_new_recordsClick(); });
    guard_.connect(btn_show_all_records, &QPushButton::clicked,
                   [this] { btn_show_all_recordsClick(); });
    guard_.connect(Edit1, &QLineEdit::textChanged, [this] { cb_confirm->setChecked(true); });
}

QLineEdit* TJob_Title_Edit::addField(const QString& name) {
    auto* field = new QLineEdit(name.toUpper());
    field->setObjectName(name);
    upperCaseAsTyped(field);
    field->installEventFilter(this);
    return field;
}

QWidget* TJob_Title_Edit::buildSidePanel() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(makeSidePanelPicture(140));
    auto* group = new QGroupBox(QStringLiteral("> EDITING RECORDS <"));
    auto* buttons = new QVBoxLayout(group);
    for (QPushButton* button :
         {btn_show_new_records, btn_show_all_records, buttons_.add, buttons_.edit, buttons_.remove,
          buttons_.save, buttons_.cancel, btn_exit})
        buttons->addWidget(button);
    layout->addWidget(group);
    layout->addStretch();
    return panel;
}

QWidget* TJob_Title_Edit::buildGrid() {
    DBGrid1 = new QTableView;
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(&edits_);
    auto* delegate = new EditsDelegate(edits_, reasonChoices_, DBGrid1);
    DBGrid1->setItemDelegate(delegate);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    DBGrid1->verticalHeader()->hide();
    showGridColumns(
        DBGrid1, edits_,
        {{edit::reasonNoSubmit, "", 260}, {edit::changeFrom, "", 260}, {edit::changeTo, "", 260}});
    // A row typed into in the grid is being changed: Save and Cancel apply.
    connect(delegate, &QAbstractItemDelegate::commitData, this, [this] {
        if (!states_.isEditing())
            states_.enterAddEditState();
    });
    return DBGrid1;
}

QWidget* TJob_Title_Edit::buildMassChanges() {
    auto* titles = new QGroupBox(QStringLiteral(">JOB TITLE MASS CHANGE<"));
    auto* titleFields = new QGridLayout(titles);
    titleFields->addWidget(new QLabel(QStringLiteral("CHANGE_FROM ")), 0, 0);
    titleFields->addWidget(new QLabel(QStringLiteral("RECORDS CONTAINING")), 1, 0);
    titleFields->addWidget(Edit1, 1, 1);
    titleFields->addWidget(new QLabel(QStringLiteral("MAKE \"CHANGE_TO\" THIS")), 2, 0);
    titleFields->addWidget(Edit2, 2, 1);
    QPushButton* btn_mass_change =
        makeButton(QStringLiteral("Mass Change"), QStringLiteral("btn_mass_change"));
    titleFields->addWidget(btn_mass_change, 3, 1);

    auto* reasons = new QGroupBox(QStringLiteral("REASON NO SUBMIT"));
    auto* reasonFields = new QGridLayout(reasons);
    reasonFields->addWidget(new QLabel(QStringLiteral("CHANGE TO CONTAINING")), 0, 0);
    reasonFields->addWidget(Edit3, 0, 1);
    reasonFields->addWidget(new QLabel(QStringLiteral("SET REASON_NO_SUBMIT")), 1, 0);
    reasonFields->addWidget(new QLabel(QStringLiteral("TO THIS VALUE")), 2, 0);
    reasonFields->addWidget(Edit4, 2, 1);
    QPushButton* btn_mass_change2 =
        makeButton(QStringLiteral("Mass Change"), QStringLiteral("btn_mass_change2"));
    reasonFields->addWidget(btn_mass_change2, 3, 1);

    QPushButton* btn_reset = makeButton(QStringLiteral("Reset"), QStringLiteral("btn_reset"));
    guard_.connect(btn_mass_change, &QPushButton::clicked, [this] { btn_mass_changeClick(); });
    guard_.connect(btn_mass_change2, &QPushButton::clicked, [this] { btn_mass_change2Click(); });
    guard_.connect(btn_reset, &QPushButton::clicked, [this] { btn_resetClick(); });
    auto* controls = new QVBoxLayout;
    controls->addWidget(cb_confirm);
    controls->addWidget(btn_reset);
    controls->addStretch();

    auto* container = new QWidget;
    auto* layout = new QHBoxLayout(container);
    layout->addWidget(titles, 1);
    layout->addWidget(reasons, 1);
    layout->addLayout(controls);
    auto* massChanges = new QWidget;
    auto* rows = new QVBoxLayout(massChanges);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addWidget(container);
    rows->addWidget(lbl_mass_change);
    return massChanges;
}

void TJob_Title_Edit::FormActivate() {
    QPalette lime = palette();
    lime.setColor(QPalette::Window, QColor(0, 255, 0));
    findChild<QWidget*>(QStringLiteral("Panel1"))->setPalette(lime);
    Edit1->clear();
    Edit2->clear();
    states_.enterNormalState();
    showFirstRow();
}

void TJob_Title_Edit::showFirstRow() {
    DBGrid1->setCurrentIndex(edits_.index(0, edits_.fieldIndex(edit::changeFrom)));
}

void TJob_Title_Edit::btn_addClick() {
    states_.enterAddEditState();
    const int row = edits_.rowCount();
    edits_.insertRow(row);
    DBGrid1->setCurrentIndex(edits_.index(row, edits_.fieldIndex(edit::changeFrom)));
}

void TJob_Title_Edit::btn_editClick() {
    states_.enterAddEditState();
    add_reason_no_submit_pick_list();
}

// The drop-down is filled afresh, one copy of each reason in table order.
void TJob_Title_Edit::add_reason_no_submit_pick_list() {
    reasonChoices_.clear();
    for (int row = 0; row < reasons_.rowCount(); ++row)
        reasonChoices_.append(
            mail_text::unpadded(reasons_.data(reasons_.index(row, 0), Qt::EditRole)));
}

void TJob_Title_Edit::btn_deleteClick() {
    const int row = DBGrid1->currentIndex().row();
    if (row >= 0 && confirmRecordDelete(dialogs_, this)) {
        try {
            edits_.removeRow(row);
            edits_.store();
        } catch (const DatabaseError& refusal) {
            edits_.revertAll();
            reportFailure(QStringLiteral("The edits row was not deleted."), refusal.message());
        }
    }
    states_.enterNormalState();
}

// Every row being changed has its titles in capitals before it is stored.
void TJob_Title_Edit::btn_saveClick() {
    for (int row = 0; row < edits_.rowCount(); ++row) {
        bool changed = edits_.isNewRow(row);
        for (int column = 0; column < edits_.columnCount() && !changed; ++column)
            changed = edits_.isDirty(edits_.index(row, column));
        if (!changed)
            continue;
        for (const QLatin1String name : {edit::changeFrom, edit::changeTo}) {
            const QModelIndex cell = edits_.index(row, edits_.fieldIndex(name));
            edits_.setData(cell, mail_text::upper(edits_.data(cell, Qt::EditRole).toString()));
        }
    }
    try {
        edits_.store();
    } catch (const DatabaseError& refusal) {
        reportFailure(QStringLiteral("The edits row was not saved."), refusal.message());
        return;
    }
    states_.enterNormalState();
}

void TJob_Title_Edit::btn_cancelClick() {
    edits_.revertAll();
    states_.enterNormalState();
}

void TJob_Title_Edit::dropChange() {
    edits_.revertAll();
}

// The rows still waiting for the user: marked, or without a reason, a null
// reason being as empty as a blank one.
void TJob_Title_Edit::btn_show_new_recordsClick() {
    edits_.setFilter(
        QStringLiteral("%1 = %2 OR %3 IS NULL OR TRIM(%3) = ''")
            .arg(edit::changeTo,
                 schema::table(tables::titleEdits).column(edit::changeTo)->parameterSql(),
                 edit::reasonNoSubmit),
        {title_steps::kNewEntry});
    edits_.reread();
    showFirstRow();
}

void TJob_Title_Edit::btn_show_all_recordsClick() {
    edits_.setFilter(QString());
    edits_.reread();
    showFirstRow();
}

void TJob_Title_Edit::btn_mass_changeClick() {
    massChange({Edit1, Edit2, edit::changeFrom, edit::changeTo});
}

void TJob_Title_Edit::btn_mass_change2Click() {
    massChange({Edit3, Edit4, edit::changeTo, edit::reasonNoSubmit});
    cb_confirm->setChecked(true);
}

// Every row whose search column contains the search text, exactly as typed
// (case and blanks count), takes the value; with confirmation each is asked
// for, and Cancel ends the run. The rows answered Yes are stored together.
void TJob_Title_Edit::massChange(const MassChange& change) {
    const bool confirm = cb_confirm->isChecked();
    change.search->setEnabled(false);
    change.value->setEnabled(false);
    const QString search = change.search->text();
    const QString value = change.value->text();
    const QString refusal =
        search.size() < 3 ? QStringLiteral(
                                "The \"change from\" string must be at a last 3 characters (no "
                                "trailing spaces)")
        : value.isEmpty() ? QStringLiteral("The \"change to\" string must have a value")
                          : QString();
    if (!refusal.isEmpty()) {
        dialogs_.message(this, QStringLiteral("MESSAGE"), refusal, Buttons::Ok);
        change.search->setEnabled(true);
        change.value->setEnabled(true);
        return;
    }
    lbl_mass_change->clear();
    const int bookmark = DBGrid1->currentIndex().row();
    const int searched = edits_.fieldIndex(change.searchColumn);
    const int written = edits_.fieldIndex(change.valueColumn);
    int changed = 0;
    bool cancelled = false;
    for (int row = 0; row < edits_.rowCount(); ++row) {
        if (!mail_text::unpadded(edits_.data(edits_.index(row, searched), Qt::EditRole))
                 .contains(search))
            continue;
        if (confirm) {
            DBGrid1->selectRow(row);
            const Answer answer =
                dialogs_.message(this, QStringLiteral("MESSAGE"),
                                 QStringLiteral("Change This Record??????"), Buttons::YesNoCancel);
            cancelled = answer == Answer::Cancel;
            if (cancelled)
                break;
            if (answer == Answer::No)
                continue;
        }
        if (mail_text::unpadded(edits_.data(edits_.index(row, written), Qt::EditRole)) != value) {
            edits_.setData(edits_.index(row, written), value);
            ++changed;
        }
    }
    const int keyColumn = edits_.fieldIndex(edit::changeFrom);
    const QVariant bookmarkKey =
        bookmark >= 0 ? edits_.data(edits_.index(bookmark, keyColumn), Qt::EditRole) : QVariant();
    edits_.store();
    lbl_mass_change->setText(
        QStringLiteral("Mass change of %1%2: %3 %4 changed.")
            .arg(change.valueColumn, cancelled ? QStringLiteral(", ended by Cancel") : QString())
            .arg(changed)
            .arg(changed == 1 ? QStringLiteral("row") : QStringLiteral("rows")));
    unlockAll();
    const int back = edits_.rowOf(edit::changeFrom, bookmarkKey);
    DBGrid1->setCurrentIndex(edits_.index(std::max(back, 0), searched));
}

void TJob_Title_Edit::lock(const QList<QLineEdit*>& fields) {
    for (QLineEdit* field : fields) {
        field->setEnabled(false);
        colour(field, true);
    }
    cb_confirm->setChecked(true);
}

void TJob_Title_Edit::unlockAll() {
    for (QLineEdit* field : {Edit1, Edit2, Edit3, Edit4}) {
        field->setEnabled(true);
        colour(field, false);
    }
}

void TJob_Title_Edit::btn_resetClick() {
    unlockAll();
    cb_confirm->setChecked(true);
}

// Entering one mass-change group locks the other until Reset.
bool TJob_Title_Edit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == Edit1 || watched == Edit2)
            guard_.run([this] { lock({Edit3, Edit4}); });
        else if (watched == Edit3)
            guard_.run([this] { lock({Edit1, Edit2}); });
    }
    return RecordForm::eventFilter(watched, event);
}
