#include "datastore/table_model.h"

#include "platform/database_error.h"

#include <QSqlError>

TableModel::TableModel(const schema::Table& definition, const QSqlDatabase& connection,
                       QObject* parent)
    : QSqlTableModel(parent, connection), definition_(definition) {
    setObjectName(definition.modelName);
    setEditStrategy(QSqlTableModel::OnManualSubmit);
}

void TableModel::open() {
    setTable(definition_.name);
    if (lastError().isValid() || !select())
        throw DatabaseError(QStringLiteral("Unable to open table %1: %2")
                                .arg(definition_.name, lastError().text()));
}

void TableModel::close() { clear(); }

void TableModel::useIndex(const QString& indexName) {
    indexName_ = indexName;
    if (isOpen() && !select())
        throw DatabaseError(lastError().text());
}

QString TableModel::orderByClause() const {
    if (!indexName_.isEmpty()) {
        const schema::Index& index = schema::index(indexName_);
        const QString direction = index.descending ? QStringLiteral(" DESC") : QString();
        return QStringLiteral("ORDER BY ") + index.columns.join(direction + QStringLiteral(", "))
               + direction;
    }
    if (definition_.primaryKey.isEmpty())
        return QStringLiteral("ORDER BY RDB$DB_KEY");
    return QStringLiteral("ORDER BY ") + definition_.primaryKey.join(QStringLiteral(", "));
}
