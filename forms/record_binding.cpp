#include "forms/record_binding.h"

#include "datastore/field_text.h"
#include "datastore/table_model.h"
#include "forms/column_delegate.h"
#include "forms/text_input.h"
#include "platform/database_error.h"

#include <QComboBox>
#include <QDataWidgetMapper>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>

RecordBinding::RecordBinding(TableModel& model, QObject* parent)
    : QObject(parent),
      model_(model),
      mapper_(new QDataWidgetMapper(this)),
      delegate_(new ColumnDelegate(model, this)) {
    mapper_->setModel(&model);
    mapper_->setItemDelegate(delegate_);
    mapper_->setSubmitPolicy(QDataWidgetMapper::ManualSubmit);
}

void RecordBinding::bind(QWidget* field, const QString& columnName) {
    const int column = model_.fieldIndex(columnName);
    if (column < 0)
        throw DatabaseError(
            QStringLiteral("The table %1 is not open.").arg(model_.definition().name));
    mapper_->addMapping(field, column);
    const schema::Column* definition = model_.columnAt(column);
    if (definition)
        bound_.emplace_back(field, definition);
    if (auto* memo = qobject_cast<QPlainTextEdit*>(field))
        tabLeavesMemo(memo);
    if (!definition || !definition->isText())
        return;
    if (auto* line = qobject_cast<QLineEdit*>(field))
        line->setMaxLength(definition->size);
    else if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        combo->lineEdit()->setMaxLength(definition->size);
}

// With no row to show, every field is empty rather than left as it was.
void RecordBinding::showRow(int row) {
    if (row < 0 || row >= model_.rowCount()) {
        for (const auto& [field, column] : bound_)
            setEditorText(field, QString());
        rowBeforeChange_ = -1;
        return;
    }
    mapper_->setCurrentIndex(row);
    rowBeforeChange_ = mapper_->currentIndex();
}

int RecordBinding::currentRow() const {
    return model_.rowCount() == 0 ? -1 : mapper_->currentIndex();
}

void RecordBinding::appendRow() {
    rowBeforeChange_ = mapper_->currentIndex();
    const int row = model_.rowCount();
    model_.insertRow(row);
    mapper_->setCurrentIndex(row);
}

std::optional<RecordBinding::Refusal> RecordBinding::writeFields() {
    for (const auto& [field, column] : bound_) {
        const QString text = editorText(field);
        const QString refusal = field_text::refusal(*column, text);
        if (!refusal.isEmpty())
            return Refusal{
                field,
                QStringLiteral("%1: \"%2\" %3.").arg(nameOf(field, column->name), text, refusal)};
    }
    mapper_->submit();
    return std::nullopt;
}

// The text of the label that stands for the field, without its shortcut mark.
QString RecordBinding::nameOf(QWidget* field, const QString& columnName) const {
    for (QWidget* level = field->parentWidget(); level; level = level->parentWidget())
        for (const QLabel* label : level->findChildren<QLabel*>())
            if (label->buddy() == field)
                return label->text().remove(QLatin1Char('&'));
    return columnName;
}

QVariant RecordBinding::value(const QString& columnName) const {
    return model_.data(model_.index(currentRow(), model_.fieldIndex(columnName)), Qt::EditRole);
}

void RecordBinding::setValue(const QString& columnName, const QVariant& value) {
    model_.setData(model_.index(currentRow(), model_.fieldIndex(columnName)), value);
}

bool RecordBinding::post(QString* error, AfterPost after) {
    const int row = currentRow();
    const QStringList& key = model_.definition().primaryKey;
    const QVariant keyValue = key.isEmpty() ? QVariant() : value(key.first());
    try {
        model_.store();
    } catch (const DatabaseError& refusal) {
        *error = refusal.message();
        return false;
    }
    showRow(after == AfterPost::FirstRow ? 0 : rowAfterPost(row, keyValue));
    return true;
}

// Storing reads the table again, so the posted row is found by its key.
int RecordBinding::rowAfterPost(int postedRow, const QVariant& key) {
    const QStringList& keyColumns = model_.definition().primaryKey;
    if (!keyColumns.isEmpty()) {
        const int found = model_.rowOf(keyColumns.first(), key);
        if (found >= 0)
            return found;
    }
    return qBound(0, postedRow, model_.rowCount() - 1);
}

void RecordBinding::cancel() {
    const int back = std::min(rowBeforeChange_, model_.rowCount() - 1);
    model_.revertAll();
    showRow(back);
    mapper_->revert();
}

void RecordBinding::rememberShownTexts() {
    shownTexts_.clear();
    for (const auto& [field, column] : bound_)
        shownTexts_.append(editorText(field));
}

std::vector<std::pair<QString, QVariant>> RecordBinding::changedValues() const {
    std::vector<std::pair<QString, QVariant>> changed;
    for (std::size_t each = 0; each < bound_.size(); ++each) {
        const auto& [field, column] = bound_[each];
        const QString text = editorText(field);
        if (text != shownTexts_.value(qsizetype(each)))
            changed.emplace_back(column->name, field_text::toValue(*column, text));
    }
    return changed;
}
