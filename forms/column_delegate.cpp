#include "forms/column_delegate.h"

#include "datastore/field_text.h"
#include "datastore/table_model.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

QString editorText(const QWidget* editor) {
    if (const auto* line = qobject_cast<const QLineEdit*>(editor))
        return line->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(editor))
        return combo->currentText();
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(editor))
        return memo->toPlainText();
    return QString();
}

void setEditorText(QWidget* editor, const QString& text) {
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setCurrentText(text);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(editor))
        memo->setPlainText(text);
}

ColumnDelegate::ColumnDelegate(TableModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model) {}

QString ColumnDelegate::textOf(const QModelIndex& index) const {
    const schema::Column* column = model_.columnAt(index.column());
    const QVariant value = index.data(Qt::EditRole);
    return column ? field_text::fromValue(*column, value) : value.toString();
}

void ColumnDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = textOf(index);
}

QWidget* ColumnDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                      const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    const schema::Column* column = model_.columnAt(index.column());
    if (column && column->isText())
        editor->setMaxLength(column->size);
    return editor;
}

void ColumnDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    setEditorText(editor, textOf(index));
}

void ColumnDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const {
    const QString text = editorText(editor);
    const schema::Column* column = model_.columnAt(index.column());
    if (!column) {
        model->setData(index, text);
        return;
    }
    if (text == textOf(index))
        return;  // unchanged: keep the stored value exactly
    const QVariant value = field_text::toValue(*column, text);
    if (value.isValid())
        model->setData(index, value);
}
