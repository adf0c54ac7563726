#pragma once

#include "datastore/schema.h"

#include <QSqlTableModel>

// The model of one table on the production connection, shared by every form
// that shows or edits the table. Rows come in primary-key order unless an
// index is chosen; a table without a key comes in storage order.
class TableModel : public QSqlTableModel {
    Q_OBJECT
public:
    TableModel(const schema::Table& definition, const QSqlDatabase& connection,
               QObject* parent = nullptr);

    const schema::Table& definition() const { return definition_; }

    // Reads the table's rows; throws DatabaseError with the server's message.
    void open();
    void close();
    bool isOpen() const { return !tableName().isEmpty(); }

    // Orders the rows by a secondary index of the table, or by the primary
    // key again for an empty name.
    void useIndex(const QString& indexName);
    QString indexName() const { return indexName_; }

protected:
    QString orderByClause() const override;

private:
    const schema::Table& definition_;
    QString indexName_;
};
