#include "datastore/sql_condition.h"

#include <QDateTime>
#include <QSqlQuery>

namespace {

QString grouped(const QString& sql) {
    return sql.contains(QStringLiteral(" OR ")) ? QStringLiteral("(%1)").arg(sql) : sql;
}

QVariant startOf(const QDate& day) {
    return QDateTime(day, QTime(0, 0));
}

}  // namespace

QString SqlCondition::whereClause() const {
    return isEmpty() ? QString() : QStringLiteral(" WHERE ") + sql;
}

void SqlCondition::andAlso(const SqlCondition& other) {
    if (other.isEmpty())
        return;
    sql = isEmpty() ? other.sql : grouped(sql) + QStringLiteral(" AND ") + grouped(other.sql);
    values += other.values;
}

void SqlCondition::bindTo(QSqlQuery& query) const {
    for (const QVariant& value : values)
        query.addBindValue(value);
}

SqlCondition dateBetween(const QString& dateColumn, const QDate& from, const QDate& to) {
    SqlCondition condition;
    if (from.isValid())
        condition.andAlso({dateColumn + QStringLiteral(" >= ?"), {startOf(from)}});
    if (to.isValid() && to < QDate(9999, 12, 31))
        condition.andAlso({dateColumn + QStringLiteral(" < ?"), {startOf(to.addDays(1))}});
    return condition;
}
