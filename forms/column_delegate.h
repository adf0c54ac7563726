#pragma once

#include <QStyledItemDelegate>

class TableModel;

// The text an editor widget holds: line edit, combo box or plain text edit.
QString editorText(const QWidget* editor);
void setEditorText(QWidget* editor, const QString& text);

// Shows and edits a table model's values as the forms' texts: in grids and in
// the fields a QDataWidgetMapper binds. Editors hold no more characters than
// their column.
class ColumnDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    ColumnDelegate(TableModel& model, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    QString textOf(const QModelIndex& index) const;
    TableModel& model_;
};
