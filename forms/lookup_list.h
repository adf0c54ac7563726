#pragma once

#include <QComboBox>

class TableModel;

// A drop-down list of a pick-list table's values that also keeps a value
// not in the list. The list holds a copy of the table's values, taken again
// whenever the table changes; the field's text is never moved or changed by
// that, so a pick list edited meanwhile never changes what the field holds.
class LookupList : public QComboBox {
    Q_OBJECT
public:
    explicit LookupList(TableModel* list, QWidget* parent = nullptr);

private:
    void copyValues();

    TableModel* list_;
};
