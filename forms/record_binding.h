#pragma once

#include <QObject>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <utility>
#include <vector>

class ColumnDelegate;
class QDataWidgetMapper;
class QWidget;
class TableModel;
namespace schema {
struct Column;
}

// Binds a form's fields to one row of a shared table model and adds, stores,
// drops and deletes that row. Field texts reach the row only when the record
// is posted, so nothing typed is stored before Save.
class RecordBinding : public QObject {
    Q_OBJECT
public:
    RecordBinding(TableModel& model, QObject* parent);

    TableModel& model() const { return model_; }

    // Binds a line edit, combo box or memo to a column; a line edit or an
    // editable combo box then takes no more characters than the column holds.
    void bind(QWidget* field, const QString& columnName);

    void showRow(int row);
    int currentRow() const;

    // Appends an empty row and shows it.
    void appendRow();
    // A bound field whose text its column cannot take.
    struct Refusal {
        QWidget* field = nullptr;
        QString message;  // names the field: its label, or else its column
    };
    // Writes the fields into the row, without storing it yet. When a field
    // holds text its column refuses, writes nothing and says which.
    std::optional<Refusal> writeFields();
    QVariant value(const QString& columnName) const;
    void setValue(const QString& columnName, const QVariant& value);

    // Remembers what every bound field shows as a change of the record begins.
    void rememberShownTexts();
    // Each bound column whose field's text changed since, with the value that
    // text stands for: a field left alone keeps the record's value exactly.
    std::vector<std::pair<QString, QVariant>> changedValues() const;

    // Where the fields stand after a post: on the posted row, found again by
    // its key, or on the first row, which spares searching a long table.
    enum class AfterPost { PostedRow, FirstRow };
    // Stores the table's pending changes. On refusal returns false and fills
    // `error` with the server's message; the changes stay pending.
    bool post(QString* error, AfterPost after = AfterPost::PostedRow);
    // Drops the pending changes and shows the row shown before them.
    void cancel();

private:
    int rowAfterPost(int postedRow, const QVariant& key);
    QString nameOf(QWidget* field, const QString& columnName) const;

    TableModel& model_;
    QDataWidgetMapper* mapper_;
    ColumnDelegate* delegate_;
    std::vector<std::pair<QWidget*, const schema::Column*>> bound_;
    QStringList shownTexts_;  // of the fields of bound_, as the change began
    int rowBeforeChange_ = 0;
};
