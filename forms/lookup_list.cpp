#include "forms/lookup_list.h"

#include "datastore/field_text.h"
#include "datastore/table_model.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTableView>

LookupList::LookupList(TableModel* list, QWidget* parent) : QComboBox(parent), list_(list) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(15);
    if (list->definition().columns.size() > 1) {
        auto* columns = new QTableView;
        columns->horizontalHeader()->hide();
        columns->verticalHeader()->hide();
        columns->setSelectionBehavior(QAbstractItemView::SelectRows);
        columns->setShowGrid(false);
        columns->setWordWrap(false);
        setView(columns);
    }
    copyValues();
    connect(list, &QAbstractItemModel::modelReset, this, &LookupList::copyValues);
    connect(list, &QAbstractItemModel::dataChanged, this, &LookupList::copyValues);
    connect(list, &QAbstractItemModel::rowsInserted, this, &LookupList::copyValues);
    connect(list, &QAbstractItemModel::rowsRemoved, this, &LookupList::copyValues);
}

void LookupList::copyValues() {
    const QString shown = currentText();
    const QSignalBlocker quiet(this);
    auto* items = static_cast<QStandardItemModel*>(model());
    items->clear();
    const std::vector<schema::Column>& columns = list_->definition().columns;
    for (int row = 0; row < list_->rowCount(); ++row) {
        QList<QStandardItem*> values;
        for (int column = 0; column < int(columns.size()); ++column)
            values.append(new QStandardItem(field_text::fromValue(
                columns[column], list_->data(list_->index(row, column), Qt::EditRole))));
        items->appendRow(values);
    }
    if (auto* table = qobject_cast<QTableView*>(view())) {
        table->resizeColumnsToContents();
        table->setMinimumWidth(table->horizontalHeader()->length() + 24);
    }
    setCurrentIndex(-1);
    setEditText(shown);
}

QComboBox* makeDropDown(const QStringList& values) {
    auto* list = new QComboBox;
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->addItems(values);
    return list;
}
