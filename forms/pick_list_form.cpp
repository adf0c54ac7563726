#include "forms/pick_list_form.h"

#include "datastore/data_module.h"
#include "datastore/field_text.h"
#include "datastore/table_names.h"
#include "forms/column_delegate.h"
#include "forms/dialogs.h"
#include "platform/database_error.h"
#include "platform/transaction.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

struct PickListTab {
    const char* tabName;
    const char* caption;
    const char* gridName;
    QLatin1String table;
};

const PickListTab kTabs[] = {
    {"tab_carrier", "CARRIER", "dbgrid_pl_carrier", tables::carriers},
    {"tab_category", "CATEGORY", "dbgrid_pl_category", tables::categories},
    {"tab_city", "CITY", "dbgrid_pl_city", tables::cities},
    {"tab_comments", "PAYMENTS COMMENTS", "dbgrid_pl_comments", tables::paymentComments},
    {"tab_contact_name", "CONTACT NAME", "dbgrid_pl_contact_name", tables::contactNames},
    {"tab_item", "ITEM", "dbgrid_pl_item", tables::items},
    {"tab_comment_js", "JOB SEARCH COMMENTS", "dbgrid_pl_comments_js", tables::jobSearchComments},
    {"tab_poscode", "POSITION CODE", "dbgrid_pl_poscode", tables::positionCodes},
    {"tab_postitle", "POSITION TITLE", "dbgrid_pl_postitle", tables::positionTitles},
    {"tab_reason", "REASON", "dbgrid_pl_reason", tables::reasons},
};
constexpr int kTabsPerRow = 5;
constexpr int kTabWidth = 160;

}  // namespace

PickListGrid::PickListGrid(TableModel& model, QWidget* parent) : QTableView(parent), model_(model) {
    setModel(&model);
    setItemDelegate(new ColumnDelegate(model, this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    horizontalHeader()->setStretchLastSection(true);
    // Tab moves on to the next control; the arrow keys move between rows.
    setTabKeyNavigation(false);
    setWritable(false);
}

void PickListGrid::setWritable(bool writable) {
    setEditTriggers(writable ? QAbstractItemView::AllEditTriggers
                             : QAbstractItemView::NoEditTriggers);
}

void PickListGrid::finishTyping() {
    for (QLineEdit* editor : viewport()->findChildren<QLineEdit*>()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

QString PickListGrid::valueAt(int row) const {
    return field_text::fromValue(model_.definition().columns.front(),
                                 model_.data(model_.index(row, 0), Qt::EditRole));
}

int PickListGrid::emptyNewRow() const {
    for (int row = 0; row < model_.rowCount(); ++row)
        if (model_.isNewRow(row) && valueAt(row).trimmed().isEmpty())
            return row;
    return -1;
}

void PickListGrid::selectValue(const QString& value) {
    for (int row = 0; row < model_.rowCount(); ++row) {
        if (valueAt(row) == value) {
            setCurrentIndex(model_.index(row, 0));
            scrollTo(currentIndex());
            return;
        }
    }
}

Tpick_list_form::Tpick_list_form(TDataModule2& dataModule, Dialogs& dialogs, QWidget* parent)
    : RecordForm(dialogs, parent),
      connection_(dataModule.connection()),
      PageControl1(new QTabWidget),
      tabButtons_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("pick_list_form"));
    setWindowTitle(QStringLiteral("Pick Lists"));

    QGroupBox* sidePanel = makeEditingSidePanel(
        {buttons_.add, buttons_.edit, buttons_.remove, buttons_.save, buttons_.cancel});
    static_cast<QVBoxLayout*>(sidePanel->layout())->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(sidePanel);
    layout->addWidget(buildTabs(dataModule), 1);
    resize(1000, 600);

    guard_.connect(buttons_.add, &QPushButton::clicked, [this] { btn_addClick(); });
    guard_.connect(buttons_.edit, &QPushButton::clicked, [this] { btn_editClick(); });
    guard_.connect(buttons_.remove, &QPushButton::clicked, [this] { btn_deleteClick(); });
    guard_.connect(buttons_.save, &QPushButton::clicked, [this] { btn_saveClick(); });
    guard_.connect(buttons_.cancel, &QPushButton::clicked, [this] { btn_cancelClick(); });
}

// The tabs sit in rows of five fixed-width buttons above the pages, so that
// every tab is in sight at once.
QWidget* Tpick_list_form::buildTabs(TDataModule2& dataModule) {
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->tabBar()->hide();
    // The buttons above stand for the hidden tabs, also for the keyboard.
    PageControl1->setFocusPolicy(Qt::NoFocus);
    auto* tabRows = new QGridLayout;
    tabRows->setSpacing(2);
    int position = 0;
    for (const PickListTab& tab : kTabs) {
        auto* page = new QWidget;
        page->setObjectName(tab.tabName);
        auto* grid = new PickListGrid(*dataModule.table(tab.table), page);
        grid->setObjectName(tab.gridName);
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        pageLayout->addWidget(grid);
        PageControl1->addTab(page, tab.caption);
        grids_.push_back(grid);

        auto* tabButton = new QPushButton(tab.caption);
        tabButton->setObjectName(QStringLiteral("btn_") + tab.tabName);
        tabButton->setCheckable(true);
        tabButton->setFixedWidth(kTabWidth);
        tabButtons_->addButton(tabButton, position);
        tabRows->addWidget(tabButton, position / kTabsPerRow, position % kTabsPerRow);
        ++position;
    }
    connect(tabButtons_, &QButtonGroup::idClicked, PageControl1, &QTabWidget::setCurrentIndex);
    connect(PageControl1, &QTabWidget::currentChanged, this,
            [this](int index) { tabButtons_->button(index)->setChecked(true); });

    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->addLayout(tabRows);
    layout->addWidget(PageControl1, 1);
    return column;
}

PickListGrid* Tpick_list_form::shownGrid() const {
    return grids_.at(PageControl1->currentIndex());
}

void Tpick_list_form::FormActivate() {
    PageControl1->setCurrentIndex(0);
    tabButtons_->button(0)->setChecked(true);
    states_.btns_normal_state();
    flds_normal_state();
    for (PickListGrid* grid : grids_)
        grid->setCurrentIndex(grid->model()->index(0, 0));
}

void Tpick_list_form::flds_normal_state() {
    for (PickListGrid* grid : grids_) {
        grid->setEnabled(true);
        grid->setWritable(false);
    }
}

void Tpick_list_form::flds_add_edit_state() {
    for (PickListGrid* grid : grids_)
        grid->setWritable(grid == shownGrid());
}

void Tpick_list_form::btn_addClick() {
    states_.btns_add_edit_state();
    flds_add_edit_state();
    PickListGrid* grid = shownGrid();
    TableModel& table = grid->table();
    const int row = table.rowCount();
    table.insertRow(row);
    const QModelIndex newValue = table.index(row, 0);
    grid->setCurrentIndex(newValue);
    grid->setFocus();
    grid->edit(newValue);
}

void Tpick_list_form::btn_editClick() {
    states_.btns_add_edit_state();
    flds_add_edit_state();
    shownGrid()->setFocus();
}

void Tpick_list_form::btn_deleteClick() {
    PickListGrid* grid = shownGrid();
    const int row = grid->currentIndex().row();
    if (row < 0) {
        dialogs_.message(
            this, QStringLiteral("MESSAGE"),
            QStringLiteral("Choose the entry of %1 to delete first.").arg(captionOf(grid)),
            Buttons::Ok);
        return;
    }
    if (confirmRecordDelete(dialogs_, this)) {
        TableModel& table = grid->table();
        try {
            table.removeRow(row);
            table.store();
        } catch (const DatabaseError& refusal) {
            table.revertAll();
            reportFailure(QStringLiteral("The entry was not deleted."), refusal.message());
        }
    }
    states_.btns_normal_state();
    flds_normal_state();
}

std::vector<PickListGrid*> Tpick_list_form::gridsWithChanges() const {
    std::vector<PickListGrid*> changed;
    PickListGrid* shown = shownGrid();
    if (shown->table().isDirty())
        changed.push_back(shown);
    for (PickListGrid* grid : grids_)
        if (grid != shown && grid->table().isDirty())
            changed.push_back(grid);
    return changed;
}

// Every tab's changes are stored together or not at all: a refusal on one
// tab leaves the changes of all tabs pending, with the refused tab in front.
void Tpick_list_form::btn_saveClick() {
    for (PickListGrid* grid : grids_)
        grid->finishTyping();
    const std::vector<PickListGrid*> changed = gridsWithChanges();
    for (PickListGrid* grid : changed) {
        if (grid->emptyNewRow() >= 0) {
            PageControl1->setCurrentWidget(grid->parentWidget());
            dialogs_.message(this, QStringLiteral("MESSAGE"),
                             QStringLiteral("The new entry of %1 has no value: type one, or "
                                            "press Cancel.")
                                 .arg(captionOf(grid)),
                             Buttons::Ok);
            return;
        }
    }
    const QString saved = shownGrid()->valueAt(shownGrid()->currentIndex().row());
    PickListGrid* storing = nullptr;
    try {
        inTransaction(connection_, [&] {
            for (PickListGrid* grid : changed) {
                storing = grid;
                grid->table().storePendingChanges();
            }
        });
    } catch (const DatabaseError& refusal) {
        PageControl1->setCurrentWidget(storing->parentWidget());
        dialogs_.message(this, QStringLiteral("PROGRAM ERROR"),
                         refusalText(storing, refusal.message()), Buttons::Ok);
        return;
    }
    for (PickListGrid* grid : changed)
        grid->table().storedChangesCommitted();
    shownGrid()->selectValue(saved);
    states_.btns_normal_state();
    flds_normal_state();
}

QString Tpick_list_form::captionOf(const PickListGrid* grid) const {
    return PageControl1->tabText(PageControl1->indexOf(grid->parentWidget()));
}

QString Tpick_list_form::refusalText(const PickListGrid* grid, const QString& serverText) const {
    const QString value = grid->valueAt(grid->currentIndex().row());
    const QString what =
        serverText.contains(QLatin1String("PRIMARY or UNIQUE KEY")) && !value.isEmpty()
            ? QStringLiteral("\"%1\" is already in the %2 list.").arg(value, captionOf(grid))
            : QStringLiteral("a change to %1 was refused.").arg(captionOf(grid));
    return QStringLiteral("Nothing was saved: ") + what + QLatin1Char('\n') + serverText;
}

void Tpick_list_form::btn_cancelClick() {
    states_.btns_normal_state();
    flds_normal_state();
    for (PickListGrid* grid : grids_)
        grid->finishTyping();
    for (PickListGrid* grid : gridsWithChanges())
        grid->table().revertAll();
}
