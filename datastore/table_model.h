#pragma once

#include "datastore/schema.h"

#include <QSqlTableModel>
#include <QStringList>

// The model of one table on the production connection, shared by every form
// that shows or edits the table. Rows come in primary-key order unless an
// index is chosen; a table without a key comes in storage order and its rows
// are identified by their database key. Changes wait in the model until they
// are stored; text longer than its column is cut to the column's width.
class TableModel : public QSqlTableModel {
    Q_OBJECT
public:
    TableModel(const schema::Table& definition, const QSqlDatabase& connection,
               QObject* parent = nullptr);

    const schema::Table& definition() const { return definition_; }
    // The definition of a model column; null for a column the table lacks.
    const schema::Column* columnAt(int column) const;

    // Reads the table's rows; throws DatabaseError with the server's message.
    void open();
    void close();
    bool isOpen() const { return !tableName().isEmpty(); }

    // Orders the rows by a secondary index of the table, or by the primary
    // key again for an empty name.
    void useIndex(const QString& indexName);

    // The row whose column holds `value`; -1 when none does.
    int rowOf(const QString& columnName, const QVariant& value) const;

    // Writes every pending insert, update and delete on the connection's
    // current transaction and leaves them pending in the model: once the
    // transaction commits, select() shows the stored rows; after a rollback
    // the changes are still there to correct or drop. Throws DatabaseError
    // with the server's message when a change is refused.
    void storePendingChanges();
    // Whether the row waits to be inserted.
    bool isNewRow(int row) const { return pendingChange(row) == Change::Insert; }
    // Stores the pending changes in a transaction of their own and reads the
    // rows again; on refusal nothing is stored and the changes stay pending.
    void store();
    // Reads the rows again, dropping pending changes; throws DatabaseError.
    void reread();

    bool select() override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

protected:
    QString selectStatement() const override;
    QString orderByClause() const override;
    bool insertRowIntoTable(const QSqlRecord& values) override;
    bool updateRowInTable(int row, const QSqlRecord& values) override;
    bool deleteRowFromTable(int row) override;

private:
    enum class Change { None, Insert, Update, Delete };
    Change pendingChange(int row) const;
    bool hasKey() const { return !definition_.primaryKey.isEmpty(); }
    bool loadRowKeys();
    QString rowMatch() const;
    QString parameterSql(const QString& columnName) const;
    QVariantList rowMatchValues(int row) const;
    bool execChange(const QString& statement, const QSqlRecord& values,
                    const QVariantList& matchValues, bool mustFindRow);
    bool refuse(const QString& reason);

    const schema::Table& definition_;
    QString indexName_;
    QStringList rowKeys_;  // database keys of a keyless table, one per row
};
