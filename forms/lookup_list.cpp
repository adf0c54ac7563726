#include "forms/lookup_list.h"

#include "datastore/table_model.h"

LookupList::LookupList(TableModel* list, QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(15);
    setModel(list);
    setModelColumn(0);
    connect(list, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { keptText_ = currentText(); });
    connect(list, &QAbstractItemModel::modelReset, this, [this] { setCurrentText(keptText_); });
}
