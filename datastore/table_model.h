#pragma once

#include "datastore/schema.h"

#include <QAbstractTableModel>
#include <QBitArray>
#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlRecord>
#include <QStringList>
#include <QVariantList>

// The model of one table on the production connection, shared by every form
// that shows or edits the table, or a form's own. Rows come in primary-key
// order unless an index is chosen; a table without a key comes in storage
// order and its rows are identified by their database key. Changes wait in
// the model until they are stored; text longer than its column is cut to the
// column's width. Once stored, every model of the table reads it again.
//
// A table may hold tens of thousands of rows: selecting counts them, and the
// rows' values are read in blocks as they are first shown, each block in a
// short transaction of its own, so that no read holds a transaction open
// between the user's actions.
class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TableModel(const schema::Table& definition, const QSqlDatabase& connection,
               QObject* parent = nullptr);

    const schema::Table& definition() const { return definition_; }
    // The definition of a model column; null for a column the table lacks.
    const schema::Column* columnAt(int column) const;
    // The model column of a table column; -1 while closed or for a column
    // the table lacks.
    int fieldIndex(const QString& columnName) const;

    // Reads the table's rows; throws DatabaseError with the server's message.
    void open();
    // Opens on the rows `unfiltered` has read, unfiltered and in key order
    // as this model is, instead of reading them again; else as open() does.
    void openLike(const TableModel& unfiltered);
    void close();
    bool isOpen() const { return open_; }
    // The table's name while open, else empty.
    QString tableName() const;
    QSqlDatabase database() const { return connection_; }
    QSqlError lastError() const { return lastError_; }

    // Orders the rows by a secondary index of the table, or by the primary
    // key again for an empty name; an open table is read again.
    void useIndex(const QString& indexName);
    // The same, taking effect at the next select: pending changes stay.
    void setIndex(const QString& indexName);
    // Limits the rows to those meeting an SQL condition, whose `?` marks take
    // `values` in order; an empty condition shows every row. Takes effect at
    // the next select.
    void setFilter(const QString& condition, const QVariantList& values = {});
    QString filter() const { return filter_; }
    QString indexName() const { return indexName_; }
    QVariantList filterValues() const { return filterValues_; }
    // "ORDER BY …" of the rows as the model shows them.
    QString orderByClause() const;

    // The row whose column holds `value`; -1 when none does.
    int rowOf(const QString& columnName, const QVariant& value) const;
    // The column names, and one row's values by name.
    QSqlRecord record() const;
    QSqlRecord record(int row) const;

    // Writes every pending insert, update and delete on the connection's
    // current transaction and leaves them pending in the model: once the
    // transaction commits, select() shows the stored rows; after a rollback
    // the changes are still there to correct or drop. Throws DatabaseError
    // with the server's message when a change is refused.
    void storePendingChanges();
    // Whether the row waits to be inserted.
    bool isNewRow(int row) const;
    bool isDirty() const;
    bool isDirty(const QModelIndex& index) const;
    // Says that the changes written by storePendingChanges() were committed:
    // every model of the table, this one too, reads its rows again.
    void storedChangesCommitted();
    // Stores the pending changes in a transaction of their own and says so;
    // on refusal nothing is stored and the changes stay pending.
    void store();
    // Drops every pending change.
    void revertAll();
    // Reads the rows again, dropping pending changes; throws DatabaseError.
    void reread();
    bool select();
    // Reads the rows again when open, as after a change to the table made
    // elsewhere; a failure is warned of and kept as lastError().
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // New rows wait to be inserted; removed stored rows stay, marked, until
    // the deletion is stored.
    bool insertRows(int row, int count, const QModelIndex& parent = {}) override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

signals:
    void changesCommitted();

private:
    enum class Change { None, Insert, Update, Delete };
    // A row as read from the table; its values arrive with its block.
    struct StoredRow {
        bool loaded = false;
        QString rowKey;  // the database key, for a table without a primary key
        QVariantList values;
    };
    // A row as the model shows it: a stored row, or a new one, with the
    // changes waiting for it.
    struct ShownRow {
        int position = -1;  // in stored_; -1 for a new row
        Change change = Change::None;
        QVariantList edits;
        QBitArray edited;
    };

    bool hasKey() const { return !definition_.primaryKey.isEmpty(); }
    ShownRow newRow(int position, Change change) const;
    void showStoredRows();
    QVariant nullValue(int column) const;
    const StoredRow& storedRow(int position) const;
    void loadBlockOf(int position) const;
    void loadRows(int first, int count) const;
    QString selectStatement() const;
    QString whereClause() const;
    bool readRowCount(int& count);
    bool storeInsert(const ShownRow& row);
    bool storeUpdate(const ShownRow& row);
    bool storeDelete(const ShownRow& row);
    QString rowMatch() const;
    QVariantList rowMatchValues(const ShownRow& row) const;
    bool execChange(const QString& statement, const QVariantList& values, bool mustFindRow);
    bool refuse(const QString& reason);

    const schema::Table& definition_;
    QSqlDatabase connection_;
    bool open_ = false;
    QString indexName_;
    QString filter_;
    QVariantList filterValues_;
    // Both shared with a model opened like this one until either changes.
    mutable QList<StoredRow> stored_;
    QList<ShownRow> rows_;
    mutable QSqlError lastError_;
};
