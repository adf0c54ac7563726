#include "platform/sql_statement.h"

#include "platform/database_error.h"

#include <QSqlError>

QSqlQuery executed(const QSqlDatabase& connection, const QString& statement,
                   const QVariantList& values) {
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    if (!query.prepare(statement))
        throw DatabaseError(query.lastError().text());
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw DatabaseError(query.lastError().text());
    return query;
}
