#include "payments/proof_files.h"

#include "datastore/field_text.h"
#include "datastore/schema.h"
#include "datastore/sql_condition.h"
#include "datastore/table_names.h"
#include "platform/database_error.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace proof_files {

QString namedFile(const QString& itemFile) {
    const QString path = itemFile.trimmed();
    return path == field_text::kAbsentText ? QString() : path;
}

bool isMissing(const QString& itemFile) {
    const QString path = namedFile(itemFile);
    return !path.isEmpty() && !QFileInfo(path).isFile();
}

QList<Proof> namedProofs(const QSqlDatabase& connection, const QDate& from, const QDate& to) {
    namespace column = columns::payments;
    const schema::Table& payments = schema::table(tables::payments);
    const SqlCondition rows = dateBetween(column::itemDate, from, to);
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    const QString statement =
        QStringLiteral("SELECT %1, %2, %3, %4 FROM %5%6 ORDER BY %2, %1")
            .arg(column::pk, column::itemDate, payments.column(column::category)->selectSql(),
                 payments.column(column::itemFile)->selectSql(), tables::payments,
                 rows.whereClause());
    if (!query.prepare(statement))
        throw DatabaseError(query.lastError().text());
    rows.bindTo(query);
    if (!query.exec())
        throw DatabaseError(query.lastError().text());
    QList<Proof> proofs;
    while (query.next()) {
        const QString path = namedFile(query.value(3).toString());
        if (!path.isEmpty())
            proofs.append({query.value(0).toDouble(), query.value(1).toDate(),
                           query.value(2).toString().trimmed(), path});
    }
    if (query.lastError().isValid())
        throw DatabaseError(query.lastError().text());
    return proofs;
}

}  // namespace proof_files
