#pragma once

#include <QComboBox>

class TableModel;

// A drop-down list of a pick-list table's values that also keeps a value
// not in the list. Its text survives the list being read again, so a pick
// list edited meanwhile never changes what the field holds.
class LookupList : public QComboBox {
    Q_OBJECT
public:
    explicit LookupList(TableModel* list, QWidget* parent = nullptr);

private:
    QString keptText_;
};
