#pragma once

#include <QComboBox>

class TableModel;

// A drop-down list of a pick-list table's values that also keeps a value
// not in the list. The list holds a copy of the table's values, taken again
// whenever the table changes; the field's text is never moved or changed by
// that, so a pick list edited meanwhile never changes what the field holds.
// The field holds the table's first column; a table of several columns
// shows them all side by side in the drop-down ("07:00  7:00 AM").
class LookupList : public QComboBox {
    Q_OBJECT
public:
    explicit LookupList(TableModel* list, QWidget* parent = nullptr);

private:
    void copyValues();

    TableModel* list_;
};

// An editable drop-down of fixed values that also keeps a value not among
// them, so that a stored value outside the list is shown and saved as it is.
QComboBox* makeDropDown(const QStringList& values);
