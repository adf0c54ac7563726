#include "payments/proof_files.h"

#include "datastore/field_text.h"
#include "datastore/schema.h"
#include "datastore/sql_condition.h"
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
    const schema::Table& payments = schema::table(QStringLiteral("QUORVEL_4"));
    const SqlCondition rows = dateBetween(QStringLiteral("ITEM_DATE"), from, to);
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    const QString statement =
        QStringLiteral("SELECT PK, ITEM_DATE, %1, %2 FROM QUORVEL_4%3 ORDER BY ITEM_DATE, PK")
            .arg(payments.column(QStringLiteral("CATEGORY"))->selectSql(),
                 payments.column(QStringLiteral("ITEM_FILE"))->selectSql(), rows.whereClause());
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
