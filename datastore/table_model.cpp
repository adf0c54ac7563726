#include "datastore/table_model.h"

#include "platform/database_error.h"
#include "platform/transaction.h"

#include <QDateTime>
#include <QSqlField>
#include <QSqlQuery>
#include <QtDebug>

#include <algorithm>
#include <utility>

namespace {

// How many rows one read fetches: about what a tall grid shows four times over.
constexpr int kBlockRows = 256;
// The most rows one read of a scan through the table fetches.
constexpr int kScanRows = 4096;

// The database key as text: Qt's driver cannot carry its raw bytes, so it
// travels as the text of a UUID whose first eight bytes are the key.
const QString kRowKeyText = QStringLiteral("UUID_TO_CHAR(RDB$DB_KEY || x'0000000000000000')");
const QString kRowKeyMatch =
    QStringLiteral(" WHERE RDB$DB_KEY = SUBSTRING(CHAR_TO_UUID(?) FROM 1 FOR 8)");

QMetaType metaTypeOf(schema::Type type) {
    switch (type) {
        case schema::Type::Char:
        case schema::Type::Varchar:
            return QMetaType(QMetaType::QString);
        case schema::Type::Date:
            return QMetaType(QMetaType::QDateTime);
        case schema::Type::Integer:
            return QMetaType(QMetaType::Int);
        case schema::Type::Numeric:
            return QMetaType(QMetaType::Double);
        case schema::Type::BlobText:
            return QMetaType(QMetaType::QByteArray);
    }
    return QMetaType();
}

}  // namespace

TableModel::TableModel(const schema::Table& definition, const QSqlDatabase& connection,
                       QObject* parent)
    : QAbstractTableModel(parent), definition_(definition), connection_(connection) {
    setObjectName(definition.modelName);
}

const schema::Column* TableModel::columnAt(int column) const {
    if (!open_ || column < 0 || column >= int(definition_.columns.size()))
        return nullptr;
    return &definition_.columns[column];
}

int TableModel::fieldIndex(const QString& columnName) const {
    if (!open_)
        return -1;
    for (int column = 0; column < int(definition_.columns.size()); ++column)
        if (definition_.columns[column].name == columnName)
            return column;
    return -1;
}

QString TableModel::tableName() const {
    return open_ ? definition_.name : QString();
}

void TableModel::open() {
    beginResetModel();
    open_ = true;
    endResetModel();
    if (!select())
        throw DatabaseError(
            QStringLiteral("Unable to open table %1: %2").arg(definition_.name, lastError_.text()));
}

void TableModel::openLike(const TableModel& unfiltered) {
    const bool sameRows = unfiltered.open_ && &unfiltered.definition_ == &definition_ &&
                          unfiltered.filter_.isEmpty() && unfiltered.indexName_.isEmpty() &&
                          filter_.isEmpty() && indexName_.isEmpty();
    if (!sameRows) {
        open();
        return;
    }
    beginResetModel();
    open_ = true;
    stored_ = unfiltered.stored_;
    if (unfiltered.isDirty())
        showStoredRows();
    else
        rows_ = unfiltered.rows_;
    endResetModel();
}

void TableModel::close() {
    beginResetModel();
    open_ = false;
    stored_.clear();
    rows_.clear();
    endResetModel();
}

void TableModel::useIndex(const QString& indexName) {
    setIndex(indexName);
    if (open_)
        reread();
}

void TableModel::setIndex(const QString& indexName) {
    indexName_ = indexName;
}

void TableModel::setFilter(const QString& condition, const QVariantList& values) {
    filter_ = condition;
    filterValues_ = values;
}

// The rows already read are searched first; a table read only in part is
// then read whole in one pass, as reading it block by block would walk its
// order again for every block.
int TableModel::rowOf(const QString& columnName, const QVariant& value) const {
    const int column = fieldIndex(columnName);
    auto search = [&](bool loadedOnly) {
        for (int row = 0; row < rowCount(); ++row) {
            const int position = rows_[row].position;
            if (loadedOnly && position >= 0 && !std::as_const(stored_)[position].loaded)
                continue;
            if (data(index(row, column), Qt::EditRole) == value)
                return row;
        }
        return -1;
    };
    const int found = search(true);
    if (found >= 0 || std::all_of(stored_.cbegin(), stored_.cend(),
                                  [](const StoredRow& row) { return row.loaded; }))
        return found;
    loadRows(0, int(stored_.size()));
    return search(false);
}

QSqlRecord TableModel::record() const {
    QSqlRecord fields;
    if (open_)
        for (const schema::Column& column : definition_.columns)
            fields.append(QSqlField(column.name, metaTypeOf(column.type), definition_.name));
    return fields;
}

QSqlRecord TableModel::record(int row) const {
    QSqlRecord values = record();
    for (int column = 0; column < values.count(); ++column)
        values.setValue(column, data(index(row, column), Qt::EditRole));
    return values;
}

TableModel::ShownRow TableModel::newRow(int position, Change change) const {
    const int columns = int(definition_.columns.size());
    ShownRow row;
    row.position = position;
    row.change = change;
    if (change == Change::Insert) {
        for (int column = 0; column < columns; ++column)
            row.edits.append(nullValue(column));
        row.edited.resize(columns);
    }
    return row;
}

QVariant TableModel::nullValue(int column) const {
    return QVariant(metaTypeOf(definition_.columns[column].type));
}

bool TableModel::isNewRow(int row) const {
    return row >= 0 && row < rowCount() && rows_[row].change == Change::Insert;
}

bool TableModel::isDirty() const {
    for (const ShownRow& row : rows_)
        if (row.change != Change::None)
            return true;
    return false;
}

bool TableModel::isDirty(const QModelIndex& index) const {
    if (!index.isValid())
        return false;
    const ShownRow& row = rows_[index.row()];
    if (row.change == Change::Insert || row.change == Change::Delete)
        return true;
    return row.change == Change::Update && row.edited.testBit(index.column());
}

// Every stored row, unchanged, in its place.
void TableModel::showStoredRows() {
    rows_ = QList<ShownRow>(stored_.size());
    ShownRow* row = rows_.data();
    for (int position = 0; position < int(stored_.size()); ++position)
        row[position].position = position;
}

// Reading the rows counts them and reads the first block in the same
// transaction, so that the rows shown at once are the rows counted; the
// other blocks come as they are first shown.
bool TableModel::select() {
    QSqlDatabase connection = connection_;
    const bool ownTransaction = connection.transaction();
    int count = 0;
    const bool counted = open_ && readRowCount(count);
    beginResetModel();
    stored_ = QList<StoredRow>(counted ? count : 0);
    showStoredRows();
    if (!stored_.empty())
        loadBlockOf(0);
    endResetModel();
    if (ownTransaction)
        connection.commit();
    return counted;
}

void TableModel::reread() {
    if (!select())
        throw DatabaseError(lastError_.text());
}

void TableModel::refresh() {
    if (open_ && !select())
        qWarning() << "Reading" << definition_.name << "again failed:" << lastError_.text();
}

void TableModel::storedChangesCommitted() {
    emit changesCommitted();
}

void TableModel::store() {
    inTransaction(connection_, [this] { storePendingChanges(); });
    storedChangesCommitted();
}

bool TableModel::readRowCount(int& count) {
    QSqlQuery query(connection_);
    query.setForwardOnly(true);
    bool read =
        query.prepare(QStringLiteral("SELECT COUNT(*) FROM ") + definition_.name + whereClause());
    for (const QVariant& value : filterValues_)
        query.addBindValue(value);
    read = read && query.exec() && query.next();
    if (read)
        count = query.value(0).toInt();
    else
        lastError_ = query.lastError();
    query.finish();
    return read;
}

const TableModel::StoredRow& TableModel::storedRow(int position) const {
    if (!std::as_const(stored_)[position].loaded)
        loadBlockOf(position);
    return std::as_const(stored_)[position];
}

// A block read straight after the one before it is part of a scan through
// the table (a pick list copied, a row searched for): it reads as many rows
// again as are behind it, up to kScanRows, so that a scan takes a few reads.
void TableModel::loadBlockOf(int position) const {
    const int first = position / kBlockRows * kBlockRows;
    const bool scanning = first > 0 && std::as_const(stored_)[first - 1].loaded;
    loadRows(first, scanning ? std::clamp(first, kBlockRows, kScanRows) : kBlockRows);
}

// Reads `count` rows from `first` on in a transaction that ends with the
// read. Positions stay valid until the next select: every change this
// program makes to a table is followed by one.
void TableModel::loadRows(int first, int count) const {
    const int end = std::min<int>(first + count, stored_.size());
    QSqlDatabase connection = connection_;
    const bool ownTransaction = connection.transaction();
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    bool read = query.prepare(selectStatement() + QStringLiteral(" ROWS ? TO ?"));
    for (const QVariant& value : filterValues_)
        query.addBindValue(value);
    query.addBindValue(first + 1);
    query.addBindValue(end);
    read = read && query.exec();
    const int columns = int(definition_.columns.size());
    int next = first;
    while (read && next < end && query.next()) {
        StoredRow& row = stored_[next++];
        row.rowKey = query.value(0).toString().trimmed();
        row.values.clear();
        for (int column = 0; column < columns; ++column)
            row.values.append(query.value(column + 1));
        row.loaded = true;
    }
    if (!read) {
        lastError_ = query.lastError();
        qWarning() << "Reading" << definition_.name << "failed:" << lastError_.text();
    }
    query.finish();
    if (ownTransaction)
        connection.commit();
    // Rows deleted since the count leave their places empty.
    for (int vanished = next; read && vanished < end; ++vanished) {
        stored_[vanished].loaded = true;
        stored_[vanished].values.clear();
        for (int column = 0; column < columns; ++column)
            stored_[vanished].values.append(nullValue(column));
    }
}

QString TableModel::selectStatement() const {
    QStringList columns{kRowKeyText};
    for (const schema::Column& column : definition_.columns)
        columns.append(column.selectSql());
    return QStringLiteral("SELECT %1 FROM %2%3 %4")
        .arg(columns.join(QStringLiteral(", ")), definition_.name, whereClause(), orderByClause());
}

QString TableModel::whereClause() const {
    return filter_.isEmpty() ? QString() : QStringLiteral(" WHERE ") + filter_;
}

// Columns are named with their table: the select list's aliases carry the
// same names, and ordering by an alias would sort every row instead of
// walking the index.
QString TableModel::orderByClause() const {
    const QString table = definition_.name + QLatin1Char('.');
    if (!indexName_.isEmpty()) {
        const schema::Index& index = schema::index(indexName_);
        const QString direction = index.descending ? QStringLiteral(" DESC") : QString();
        return QStringLiteral("ORDER BY ") + table +
               index.columns.join(direction + QStringLiteral(", ") + table) + direction;
    }
    if (!hasKey())
        return QStringLiteral("ORDER BY ") + table + QStringLiteral("RDB$DB_KEY");
    return QStringLiteral("ORDER BY ") + table +
           definition_.primaryKey.join(QStringLiteral(", ") + table);
}

int TableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int TableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !open_ ? 0 : int(definition_.columns.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    const ShownRow& row = rows_[index.row()];
    if (!row.edited.isEmpty() && row.edited.testBit(index.column()))
        return row.edits[index.column()];
    if (row.position < 0)
        return nullValue(index.column());
    const StoredRow& stored = storedRow(row.position);
    return index.column() < stored.values.size() ? stored.values[index.column()]
                                                 : nullValue(index.column());
}

bool TableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.row() >= rowCount())
        return false;
    ShownRow& row = rows_[index.row()];
    if (row.change == Change::Delete)
        return false;
    const schema::Column& column = definition_.columns[index.column()];
    QVariant fitted = value;
    if (column.isText() && !value.isNull())
        fitted = value.toString().left(column.size);
    if (row.edited.isEmpty()) {
        const int columns = int(definition_.columns.size());
        for (int each = 0; each < columns; ++each)
            row.edits.append(QVariant());
        row.edited.resize(columns);
    }
    row.edits[index.column()] = fitted;
    row.edited.setBit(index.column());
    if (row.change == Change::None)
        row.change = Change::Update;
    emit dataChanged(index, index);
    return true;
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return section < columnCount() ? definition_.columns[section].name : QVariant();
    if (section >= rowCount())
        return QVariant();
    switch (rows_[section].change) {
        case Change::Insert:
            return QStringLiteral("*");
        case Change::Delete:
            return QStringLiteral("!");
        default:
            return section + 1;
    }
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool TableModel::insertRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || row > rowCount() || count < 1 || !open_)
        return false;
    beginInsertRows(parent, row, row + count - 1);
    rows_.insert(rows_.begin() + row, count, newRow(-1, Change::Insert));
    endInsertRows();
    return true;
}

bool TableModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount())
        return false;
    for (int each = row + count - 1; each >= row; --each) {
        if (std::as_const(rows_)[each].change == Change::Insert) {
            beginRemoveRows(parent, each, each);
            rows_.erase(rows_.begin() + each);
            endRemoveRows();
        } else {
            rows_[each] = newRow(rows_[each].position, Change::Delete);
            emit headerDataChanged(Qt::Vertical, each, each);
        }
    }
    return true;
}

void TableModel::revertAll() {
    for (int row = rowCount() - 1; row >= 0; --row) {
        if (std::as_const(rows_)[row].change == Change::Insert) {
            beginRemoveRows(QModelIndex(), row, row);
            rows_.erase(rows_.begin() + row);
            endRemoveRows();
        } else if (std::as_const(rows_)[row].change != Change::None) {
            rows_[row] = newRow(rows_[row].position, Change::None);
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
            emit headerDataChanged(Qt::Vertical, row, row);
        }
    }
}

void TableModel::storePendingChanges() {
    for (const ShownRow& row : std::as_const(rows_)) {
        bool stored = true;
        switch (row.change) {
            case Change::None:
                continue;
            case Change::Insert:
                stored = storeInsert(row);
                break;
            case Change::Update:
                stored = storeUpdate(row);
                break;
            case Change::Delete:
                stored = storeDelete(row);
                break;
        }
        if (!stored)
            throw DatabaseError(lastError_.text());
    }
}

// Each change runs in a statement of its own on the connection's current
// transaction, so that no prepared statement outlives the transaction it
// was made in, and a change that finds no row is refused rather than lost.
// Only the columns given a value are written; the others keep their
// defaults or stored values.
bool TableModel::storeInsert(const ShownRow& row) {
    QStringList columns, parameters;
    QVariantList values;
    for (int column = 0; column < row.edited.size(); ++column) {
        if (!row.edited.testBit(column))
            continue;
        columns.append(definition_.columns[column].name);
        parameters.append(definition_.columns[column].parameterSql());
        values.append(row.edits[column]);
    }
    if (columns.isEmpty())
        return refuse(QStringLiteral("There is no value to store in %1.").arg(definition_.name));
    return execChange(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(definition_.name, columns.join(QStringLiteral(", ")),
                               parameters.join(QStringLiteral(", "))),
                      values, false);
}

bool TableModel::storeUpdate(const ShownRow& row) {
    QStringList assignments;
    QVariantList values;
    for (int column = 0; column < row.edited.size(); ++column) {
        if (!row.edited.testBit(column))
            continue;
        const schema::Column& definition = definition_.columns[column];
        assignments.append(definition.name + QStringLiteral(" = ") + definition.parameterSql());
        values.append(row.edits[column]);
    }
    if (assignments.isEmpty())
        return true;
    return execChange(
        QStringLiteral("UPDATE %1 SET %2").arg(definition_.name, assignments.join(", ")) +
            rowMatch(),
        values + rowMatchValues(row), true);
}

bool TableModel::storeDelete(const ShownRow& row) {
    return execChange(QStringLiteral("DELETE FROM ") + definition_.name + rowMatch(),
                      rowMatchValues(row), true);
}

// The WHERE clause that finds a row: its primary key as stored, or its
// database key for a table without one.
QString TableModel::rowMatch() const {
    if (!hasKey())
        return kRowKeyMatch;
    QStringList matches;
    for (const QString& column : definition_.primaryKey)
        matches.append(column + QStringLiteral(" = ") + definition_.column(column)->parameterSql());
    return QStringLiteral(" WHERE ") + matches.join(QStringLiteral(" AND "));
}

// A row is found by its values as read, whatever its pending edits say.
QVariantList TableModel::rowMatchValues(const ShownRow& row) const {
    const StoredRow& stored = storedRow(row.position);
    if (!hasKey())
        return {stored.rowKey};
    QVariantList values;
    for (const QString& column : definition_.primaryKey)
        values.append(stored.values.value(fieldIndex(column)));
    return values;
}

bool TableModel::execChange(const QString& statement, const QVariantList& values,
                            bool mustFindRow) {
    QSqlQuery query(connection_);
    if (!query.prepare(statement)) {
        lastError_ = query.lastError();
        return false;
    }
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        lastError_ = query.lastError();
        return false;
    }
    if (mustFindRow && query.numRowsAffected() != 1)
        return refuse(QStringLiteral("The row of %1 was no longer there to change; it may have "
                                     "been changed or deleted meanwhile.")
                          .arg(definition_.name));
    return true;
}

bool TableModel::refuse(const QString& reason) {
    lastError_ = QSqlError(reason, QString(), QSqlError::StatementError);
    return false;
}
