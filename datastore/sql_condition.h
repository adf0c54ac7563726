#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>

class QSqlQuery;

// Which rows of a table a statement reads: SQL with a `?` for each of the
// bound values, or nothing for every row.
struct SqlCondition {
    QString sql{};
    QVariantList values{};

    bool isEmpty() const { return sql.isEmpty(); }
    // " WHERE " and the condition; empty for every row.
    QString whereClause() const;
    // Narrows these rows to those `other` chooses as well.
    void andAlso(const SqlCondition& other);
    // Binds the values in their order to the prepared `query`.
    void bindTo(QSqlQuery& query) const;
};

// The rows whose `dateColumn` falls from `from` to `to`, both days included
// whatever the time of day stored with them. An invalid date leaves that
// end open, as does the last day a database can hold.
SqlCondition dateBetween(const QString& dateColumn, const QDate& from, const QDate& to);
