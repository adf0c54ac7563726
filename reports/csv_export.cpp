#include "reports/csv_export.h"

#include "datastore/field_text.h"
#include "datastore/table_model.h"
#include "platform/database_error.h"

#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>

#include <stdexcept>

namespace csv_export {

namespace {

QString quoted(const QString& text) {
    static const QString special = QStringLiteral(",\"\r\n");
    for (const QChar character : text)
        if (special.contains(character)) {
            QString doubled = text;
            doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            return QLatin1Char('"') + doubled + QLatin1Char('"');
        }
    return text;
}

// Dates are read as the database's own text ("2004-02-01 00:00:00.0000"),
// which spares a conversion through the local time zone for every date of
// every record.
QString dateText(const QVariant& value) {
    const QString date = value.toString().left(10);
    return date == QLatin1String("1901-01-01") ? QString() : date;
}

QString selectSql(const schema::Column& column) {
    if (column.type == schema::Type::Date)
        return QStringLiteral("CAST(%1 AS VARCHAR(24)) AS %1").arg(column.name);
    return column.selectSql();
}

QString selectStatement(const schema::Table& table, const Rows& rows) {
    QStringList columns;
    for (const schema::Column& column : table.columns)
        columns << selectSql(column);
    QString statement =
        QStringLiteral("SELECT %1 FROM %2").arg(columns.join(QStringLiteral(", ")), table.name);
    if (!rows.condition.isEmpty())
        statement += QStringLiteral(" WHERE ") + rows.condition;
    if (!rows.orderBy.isEmpty())
        statement += QLatin1Char(' ') + rows.orderBy;
    else if (!table.primaryKey.isEmpty())
        statement += QStringLiteral(" ORDER BY ") + table.primaryKey.join(QStringLiteral(", "));
    return statement;
}

void write(QSaveFile& file, const QString& record) {
    const QByteArray bytes = record.toUtf8() + "\r\n";
    if (file.write(bytes) != bytes.size())
        throw std::runtime_error(QStringLiteral("%1 cannot be written: %2")
                                     .arg(file.fileName(), file.errorString())
                                     .toStdString());
}

}  // namespace

Rows rowsShownBy(const TableModel& model) {
    return {model.filter(), model.filterValues(), model.orderByClause()};
}

Rows rowsBetween(const QString& dateColumn, const QDate& from, const QDate& to) {
    Rows rows;
    QStringList conditions;
    if (from.isValid()) {
        conditions << dateColumn + QStringLiteral(" >= ?");
        rows.values << QDateTime(from, QTime(0, 0));
    }
    if (to.isValid()) {
        conditions << dateColumn + QStringLiteral(" < ?");
        rows.values << QDateTime(to.addDays(1), QTime(0, 0));
    }
    rows.condition = conditions.join(QStringLiteral(" AND "));
    return rows;
}

QString field(const schema::Column& column, const QVariant& value) {
    if (column.type == schema::Type::Date)
        return dateText(value);
    return quoted(field_text::fromValue(column, value));
}

int exportTable(const QSqlDatabase& connection, const schema::Table& table, const Rows& rows,
                const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(
            QStringLiteral("%1 cannot be written: %2").arg(path, file.errorString()).toStdString());
    QStringList names;
    for (const schema::Column& column : table.columns)
        names << quoted(column.name);
    write(file, names.join(QLatin1Char(',')));

    QSqlQuery query(connection);
    query.setForwardOnly(true);
    if (!query.prepare(selectStatement(table, rows)))
        throw DatabaseError(query.lastError().text());
    for (const QVariant& value : rows.values)
        query.addBindValue(value);
    if (!query.exec())
        throw DatabaseError(query.lastError().text());
    int records = 0;
    QStringList fields;
    while (query.next()) {
        fields.clear();
        for (int column = 0; column < int(table.columns.size()); ++column)
            fields << field(table.columns[column], query.value(column));
        write(file, fields.join(QLatin1Char(',')));
        ++records;
    }
    if (query.lastError().isValid())
        throw DatabaseError(query.lastError().text());
    query.finish();
    if (!file.commit())
        throw std::runtime_error(
            QStringLiteral("%1 cannot be written: %2").arg(path, file.errorString()).toStdString());
    return records;
}

}  // namespace csv_export
