#include "datastore/table_model.h"

#include "platform/database_error.h"
#include "platform/transaction.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

// The database key as text: Qt's driver cannot carry its raw bytes, so it
// travels as the text of a UUID whose first eight bytes are the key.
const QString kRowKeyText = QStringLiteral("UUID_TO_CHAR(RDB$DB_KEY || x'0000000000000000')");
const QString kRowKeyMatch =
    QStringLiteral(" WHERE RDB$DB_KEY = SUBSTRING(CHAR_TO_UUID(?) FROM 1 FOR 8)");

// Cuts text to the characters a CHAR or VARCHAR column holds: one byte
// each, as it is stored.
QString cutToWidth(const QString& text, int width) {
    return text.left(width);
}

}  // namespace

TableModel::TableModel(const schema::Table& definition, const QSqlDatabase& connection,
                       QObject* parent)
    : QSqlTableModel(parent, connection), definition_(definition) {
    setObjectName(definition.modelName);
    setEditStrategy(QSqlTableModel::OnManualSubmit);
}

const schema::Column* TableModel::columnAt(int column) const {
    return definition_.column(record().fieldName(column));
}

void TableModel::open() {
    setTable(definition_.name);
    if (lastError().isValid() || !select())
        throw DatabaseError(QStringLiteral("Unable to open table %1: %2")
                                .arg(definition_.name, lastError().text()));
}

void TableModel::close() {
    clear();
    rowKeys_.clear();
}

void TableModel::useIndex(const QString& indexName) {
    indexName_ = indexName;
    if (isOpen())
        reread();
}

int TableModel::rowOf(const QString& columnName, const QVariant& value) const {
    const int column = fieldIndex(columnName);
    for (int row = 0; row < rowCount(); ++row)
        if (data(index(row, column)) == value)
            return row;
    return -1;
}

TableModel::Change TableModel::pendingChange(int row) const {
    // The model marks a row waiting to be inserted "*" and one waiting to be
    // deleted "!" in its vertical header.
    const QString mark = headerData(row, Qt::Vertical).toString();
    if (mark == QLatin1String("*"))
        return Change::Insert;
    if (mark == QLatin1String("!"))
        return Change::Delete;
    for (int column = 0; column < columnCount(); ++column)
        if (isDirty(index(row, column)))
            return Change::Update;
    return Change::None;
}

void TableModel::storePendingChanges() {
    if (!isDirty())
        return;
    for (int row = 0; row < rowCount(); ++row) {
        bool stored = true;
        switch (pendingChange(row)) {
            case Change::None:
                continue;
            case Change::Insert:
                stored = insertRowIntoTable(record(row));
                break;
            case Change::Update:
                stored = updateRowInTable(row, record(row));
                break;
            case Change::Delete:
                stored = deleteRowFromTable(row);
                break;
        }
        if (!stored)
            throw DatabaseError(lastError().text());
    }
}

void TableModel::store() {
    inTransaction(database(), [this] { storePendingChanges(); });
    reread();
}

void TableModel::reread() {
    if (!select())
        throw DatabaseError(lastError().text());
}

// The rows are read whole inside a transaction that ends with the read: a
// query left open would hold its transaction for the whole session, and
// Firebird cannot clear old record versions behind an open transaction.
// The fetched rows stay with the model after the transaction ends.
bool TableModel::select() {
    QSqlDatabase connection = database();
    const bool ownTransaction = connection.transaction();
    bool read = QSqlTableModel::select();
    while (read && canFetchMore())
        fetchMore();
    read = read && (hasKey() || loadRowKeys());
    if (ownTransaction)
        connection.commit();
    return read;
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const schema::Column* column = columnAt(index.column());
    if (role == Qt::EditRole && column && column->isText() && !value.isNull())
        return QSqlTableModel::setData(index, cutToWidth(value.toString(), column->size), role);
    return QSqlTableModel::setData(index, value, role);
}

QString TableModel::orderByClause() const {
    if (!indexName_.isEmpty()) {
        const schema::Index& index = schema::index(indexName_);
        const QString direction = index.descending ? QStringLiteral(" DESC") : QString();
        return QStringLiteral("ORDER BY ") + index.columns.join(direction + QStringLiteral(", ")) +
               direction;
    }
    if (!hasKey())
        return QStringLiteral("ORDER BY RDB$DB_KEY");
    return QStringLiteral("ORDER BY ") + definition_.primaryKey.join(QStringLiteral(", "));
}

bool TableModel::loadRowKeys() {
    rowKeys_.clear();
    QSqlQuery query(database());
    if (!query.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY RDB$DB_KEY")
                        .arg(kRowKeyText, definition_.name))) {
        setLastError(query.lastError());
        return false;
    }
    while (query.next())
        rowKeys_.append(query.value(0).toString().trimmed());
    return true;
}

// Each change runs in a statement of its own on the connection's current
// transaction, so that no prepared statement outlives the transaction it
// was made in, and a change that finds no row is refused rather than lost.
bool TableModel::insertRowIntoTable(const QSqlRecord& values) {
    QStringList columns, parameters;
    for (int field = 0; field < values.count(); ++field) {
        if (!values.isGenerated(field))
            continue;
        columns.append(values.fieldName(field));
        parameters.append(parameterSql(values.fieldName(field)));
    }
    if (columns.isEmpty())
        return refuse(QStringLiteral("There is no value to store in %1.").arg(tableName()));
    return execChange(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(tableName(), columns.join(QStringLiteral(", ")),
                               parameters.join(QStringLiteral(", "))),
                      values, QVariantList(), false);
}

bool TableModel::updateRowInTable(int row, const QSqlRecord& values) {
    QStringList assignments;
    for (int field = 0; field < values.count(); ++field)
        if (values.isGenerated(field))
            assignments.append(values.fieldName(field) + QStringLiteral(" = ") +
                               parameterSql(values.fieldName(field)));
    if (assignments.isEmpty())
        return true;  // no column changed
    return execChange(
        QStringLiteral("UPDATE %1 SET %2").arg(tableName(), assignments.join(", ")) + rowMatch(),
        values, rowMatchValues(row), true);
}

QString TableModel::parameterSql(const QString& columnName) const {
    const schema::Column* column = definition_.column(columnName);
    return column ? column->parameterSql() : QStringLiteral("?");
}

QString TableModel::selectStatement() const {
    QStringList columns;
    for (const schema::Column& column : definition_.columns)
        columns.append(column.selectSql());
    const QString where = filter().isEmpty() ? QString() : QStringLiteral(" WHERE ") + filter();
    return QStringLiteral("SELECT %1 FROM %2%3 %4")
        .arg(columns.join(QStringLiteral(", ")), definition_.name, where, orderByClause());
}

bool TableModel::deleteRowFromTable(int row) {
    return execChange(QStringLiteral("DELETE FROM ") + tableName() + rowMatch(), QSqlRecord(),
                      rowMatchValues(row), true);
}

// The WHERE clause that finds a row: its primary key as stored, or its
// database key for a table without one.
QString TableModel::rowMatch() const {
    if (!hasKey())
        return kRowKeyMatch;
    QStringList matches;
    for (const QString& column : definition_.primaryKey)
        matches.append(column + QStringLiteral(" = ") + parameterSql(column));
    return QStringLiteral(" WHERE ") + matches.join(QStringLiteral(" AND "));
}

QVariantList TableModel::rowMatchValues(int row) const {
    if (!hasKey())
        return {row >= 0 && row < rowKeys_.size() ? rowKeys_.at(row) : QString()};
    QVariantList values;
    for (const QString& column : definition_.primaryKey)
        values.append(QSqlQueryModel::data(index(row, fieldIndex(column)), Qt::EditRole));
    return values;
}

bool TableModel::execChange(const QString& statement, const QSqlRecord& values,
                            const QVariantList& matchValues, bool mustFindRow) {
    QSqlQuery query(database());
    if (!query.prepare(statement)) {
        setLastError(query.lastError());
        return false;
    }
    for (int field = 0; field < values.count(); ++field)
        if (values.isGenerated(field))
            query.addBindValue(values.value(field));
    for (const QVariant& value : matchValues)
        query.addBindValue(value);
    if (!query.exec()) {
        setLastError(query.lastError());
        return false;
    }
    if (mustFindRow && query.numRowsAffected() != 1)
        return refuse(QStringLiteral("The row of %1 was no longer there to change; it may have "
                                     "been changed or deleted meanwhile.")
                          .arg(tableName()));
    return true;
}

bool TableModel::refuse(const QString& reason) {
    setLastError(QSqlError(reason, QString(), QSqlError::StatementError));
    return false;
}
