#include "datastore/record_columns.h"

#include "datastore/field_text.h"
#include "platform/database_error.h"
#include "platform/sql_statement.h"
#include "platform/transaction.h"
#include "platform/windows1252.h"

#include <QDateTime>
#include <QSqlQuery>

#include <cmath>

namespace record_columns {
namespace {

QVariant nullOf(QMetaType::Type type) {
    return QVariant(QMetaType(type));
}

double unitOf(const schema::Column& column) {
    return std::pow(10.0, column.scale);
}

QString withoutPadding(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    return end == 0 ? QStringLiteral("") : text.left(end);
}

QString keyMatch(const schema::Table& table) {
    return table.primaryKey.first() + QStringLiteral(" = ") +
           table.column(table.primaryKey.first())->parameterSql();
}

// The values of the row whose key holds `key`, on the current transaction.
std::optional<QVariantList> rowHeld(const QSqlDatabase& connection, const schema::Table& table,
                                    const QVariant& key) {
    QStringList columns;
    for (const schema::Column& column : table.columns)
        columns.append(column.selectSql());
    QSqlQuery query =
        executed(connection,
                 QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                     .arg(columns.join(QStringLiteral(", ")), table.name, keyMatch(table)),
                 {key});
    if (!query.next())
        return std::nullopt;
    QVariantList values;
    for (int column = 0; column < int(table.columns.size()); ++column)
        values.append(query.value(column));
    return values;
}

}  // namespace

QVariant valueOf(const schema::Column& column, const QString& text) {
    const bool memo = column.type == schema::Type::BlobText;
    if (text.isNull())
        return nullOf(memo ? QMetaType::QByteArray : QMetaType::QString);
    const QString unstorable = windows1252::firstUnstorable(text);
    if (!unstorable.isEmpty())
        throw DatabaseError(QStringLiteral("%1 holds %2, a character that cannot be stored.")
                                .arg(column.name, unstorable));
    return memo ? QVariant(*windows1252::encode(text)) : QVariant(text.left(column.size));
}

QVariant valueOf(const schema::Column& column, const std::optional<QDate>& date) {
    if (date)
        return QDateTime(*date, QTime(0, 0));
    return column.absentIsOldDate() ? QVariant(QDateTime(field_text::kAbsentDate, QTime(0, 0)))
                                    : nullOf(QMetaType::QDateTime);
}

QVariant valueOf(const schema::Column& column, qint64 cents) {
    return double(cents) / unitOf(column);
}

QVariant valueOf(const schema::Column&, int number) {
    return number;
}

QVariant valueOf(const schema::Column&, const std::optional<double>& number) {
    return number ? QVariant(*number) : nullOf(QMetaType::Double);
}

void read(const schema::Column& column, const QVariant& value, QString& text) {
    if (value.isNull())
        text = QString();
    else if (column.type == schema::Type::BlobText)
        text = windows1252::decode(value.toByteArray());
    else
        text = withoutPadding(value.toString());
}

void read(const schema::Column& column, const QVariant& value, std::optional<QDate>& date) {
    const QDate day = value.isNull() ? QDate() : value.toDate();
    if (!day.isValid() || (column.absentIsOldDate() && day == field_text::kAbsentDate))
        date = std::nullopt;
    else
        date = day;
}

void read(const schema::Column& column, const QVariant& value, qint64& cents) {
    cents = value.isNull() ? 0 : std::llround(value.toDouble() * unitOf(column));
}

void read(const schema::Column&, const QVariant& value, int& number) {
    number = value.isNull() ? 0 : value.toInt();
}

void read(const schema::Column&, const QVariant& value, std::optional<double>& number) {
    if (value.isNull() || value.toString().trimmed().isEmpty())
        number = std::nullopt;
    else
        number = value.toDouble();
}

std::optional<QVariantList> selectRow(const QSqlDatabase& connection, const schema::Table& table,
                                      const QVariant& key) {
    std::optional<QVariantList> values;
    inTransaction(connection, [&] { values = rowHeld(connection, table, key); });
    return values;
}

QVariantList deleteRow(const QSqlDatabase& connection, const schema::Table& table,
                       const QVariant& key) {
    const std::optional<QVariantList> held = rowHeld(connection, table, key);
    if (!held)
        throw DatabaseError(QStringLiteral("The row of %1 was no longer there to delete; it may "
                                           "have been deleted meanwhile.")
                                .arg(table.name));
    executed(connection, QStringLiteral("DELETE FROM %1 WHERE %2").arg(table.name, keyMatch(table)),
             {key});
    return *held;
}

void insertRow(const QSqlDatabase& connection, const schema::Table& table,
               const QVariantList& values) {
    QStringList columns, parameters;
    for (const schema::Column& column : table.columns) {
        columns.append(column.name);
        parameters.append(column.parameterSql());
    }
    executed(connection,
             QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                 .arg(table.name, columns.join(QStringLiteral(", ")),
                      parameters.join(QStringLiteral(", "))),
             values);
}

void updateRow(const QSqlDatabase& connection, const schema::Table& table,
               const QStringList& columnNames, const QVariantList& values, const QVariant& key) {
    QStringList assignments;
    for (const QString& name : columnNames)
        assignments.append(name + QStringLiteral(" = ") + table.column(name)->parameterSql());
    const QSqlQuery query =
        executed(connection,
                 QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                     .arg(table.name, assignments.join(QStringLiteral(", ")), keyMatch(table)),
                 values + QVariantList{key});
    if (query.numRowsAffected() != 1)
        throw DatabaseError(QStringLiteral("The row of %1 was no longer there to change; it may "
                                           "have been changed or deleted meanwhile.")
                                .arg(table.name));
}

}  // namespace record_columns
