#include "forms/lookup_list.h"

#include "datastore/field_text.h"
#include "datastore/table_model.h"

#include <QSignalBlocker>

LookupList::LookupList(TableModel* list, QWidget* parent) : QComboBox(parent), list_(list) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(15);
    copyValues();
    connect(list, &QAbstractItemModel::modelReset, this, &LookupList::copyValues);
    connect(list, &QAbstractItemModel::dataChanged, this, &LookupList::copyValues);
    connect(list, &QAbstractItemModel::rowsInserted, this, &LookupList::copyValues);
    connect(list, &QAbstractItemModel::rowsRemoved, this, &LookupList::copyValues);
}

void LookupList::copyValues() {
    const QString shown = currentText();
    const QSignalBlocker quiet(this);
    clear();
    const schema::Column& column = list_->definition().columns.front();
    for (int row = 0; row < list_->rowCount(); ++row)
        addItem(field_text::fromValue(column, list_->data(list_->index(row, 0), Qt::EditRole)));
    setCurrentIndex(-1);
    setEditText(shown);
}
