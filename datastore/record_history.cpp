#include "datastore/record_history.h"

#include "datastore/field_text.h"
#include "datastore/record_columns.h"
#include "datastore/sql_condition.h"
#include "datastore/table_names.h"
#include "platform/database_error.h"
#include "platform/sql_statement.h"
#include "platform/transaction.h"
#include "platform/windows1252.h"

#include <QCryptographicHash>
#include <QSqlError>
#include <QSqlQuery>

namespace record_history {
namespace {

namespace hist = columns::history;


QString escaped(const QString& value) {
    QString result;
    result.reserve(value.size());
    for (const QChar character : value) {
        switch (character.unicode()) {
            case '\\':
                result += QStringLiteral("\\\\");
                break;
            case '\t':
                result += QStringLiteral("\\t");
                break;
            case '\n':
                result += QStringLiteral("\\n");
                break;
            case '\r':
                result += QStringLiteral("\\r");
                break;
            default:
                result += character;
        }
    }
    return result;
}

QString changeLine(const schema::Column& column, const QString& before, const QString& after) {
    return column.name + QLatin1Char('\t') + escaped(before) + QLatin1Char('\t') + escaped(after);
}

QString withoutPadding(QString text) {
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

QByteArray encoded(const QString& field, const QString& text) {
    const std::optional<QByteArray> bytes = windows1252::encode(text);
    if (!bytes)
        throw DatabaseError(
            QStringLiteral("The history cannot hold %1 of %2: it is a character that cannot be "
                           "stored.")
                .arg(windows1252::firstUnstorable(text), field));
    return *bytes;
}

struct LastRow {
    int id = 0;
    QString hash = QStringLiteral("");
};

LastRow lastRow(const QSqlDatabase& connection) {
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT FIRST 1 %1, %2 FROM %3 ORDER BY %1 DESC")
                        .arg(hist::id, hist::hash, tables::history)))
        throw DatabaseError(query.lastError().text());
    if (!query.next())
        return {};
    return {query.value(0).toInt(), query.value(1).toString().trimmed()};
}

void insert(const QSqlDatabase& connection, const QVariantList& values) {
    const schema::Table& table = schema::table(tables::history);
    QStringList names, parameters;
    for (const schema::Column& column : table.columns) {
        names.append(column.name);
        parameters.append(column.parameterSql());
    }
    QSqlQuery query(connection);
    if (!query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(table.name, names.join(QStringLiteral(", ")),
                                parameters.join(QStringLiteral(", ")))))
        throw DatabaseError(query.lastError().text());
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw DatabaseError(QStringLiteral("The history of the change could not be written: ") +
                            query.lastError().text());
}

// Each row of `table` in the order of its key, its values in the order of
// its columns, on the connection's current transaction.
template <typename Each>
void forEachRow(const QSqlDatabase& connection, const schema::Table& table, Each&& each) {
    QStringList columns;
    for (const schema::Column& column : table.columns)
        columns.append(column.selectSql());
    QSqlQuery query = executed(connection, QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                                               .arg(columns.join(QStringLiteral(", ")), table.name,
                                                    table.primaryKey.join(", ")));
    const int count = int(table.columns.size());
    while (query.next()) {
        QVariantList values;
        values.reserve(count);
        for (int column = 0; column < count; ++column)
            values.append(query.value(column));
        each(values);
    }
}

}  // namespace

QByteArray hashOf(const HashedFields& fields) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QByteArray* field :
         {&fields.previousHash, &fields.id, &fields.moment, &fields.tableName, &fields.recordKey,
          &fields.action, &fields.source, &fields.changes}) {
        hash.addData(*field);
        hash.addData(QByteArrayView("\n"));
    }
    return hash.result().toHex();
}

QString shownValue(const schema::Column& column, const QVariant& value) {
    if (value.isNull())
        return QString();
    switch (column.type) {
        case schema::Type::Char:
        case schema::Type::Varchar:
            return withoutPadding(value.toString());
        case schema::Type::Date: {
            const QDate day = value.toDate();
            return day == field_text::kAbsentDate ? QString()
                                                  : day.toString(QStringLiteral("yyyy-MM-dd"));
        }
        case schema::Type::Integer:
            return QString::number(value.toLongLong());
        case schema::Type::Numeric:
            return column.scale <= 3 ? QString::number(value.toDouble(), 'f', column.scale)
                                     : QString::number(value.toDouble(), 'g', 15);
        case schema::Type::BlobText:
            return windows1252::decode(value.toByteArray());
    }
    return QString();
}

QString recordKey(double pk) {
    return QString::number(pk, 'g', 15);
}

namespace {

// Every column's value, as the old one of its line or as the new one.
QString everyValue(const schema::Table& table, const QVariantList& values, bool asOld) {
    QStringList lines;
    for (std::size_t each = 0; each < table.columns.size(); ++each) {
        const schema::Column& column = table.columns[each];
        const QString value = shownValue(column, values.value(int(each)));
        lines.append(asOld ? changeLine(column, value, QString())
                           : changeLine(column, QString(), value));
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

QString addedValues(const schema::Table& table, const QVariantList& values) {
    return everyValue(table, values, false);
}

QString deletedValues(const schema::Table& table, const QVariantList& values) {
    return everyValue(table, values, true);
}

QString changedValues(const schema::Table& table, const QVariantList& before,
                      const QVariantList& after) {
    QStringList lines;
    for (std::size_t each = 0; each < table.columns.size(); ++each) {
        const schema::Column& column = table.columns[each];
        const QString old = shownValue(column, before.value(int(each)));
        const QString now = shownValue(column, after.value(int(each)));
        if (old != now)
            lines.append(changeLine(column, old, now));
    }
    return lines.join(QLatin1Char('\n'));
}

QString changesText(const std::vector<Change>& changes) {
    QStringList lines;
    for (const Change& change : changes)
        lines.append(change.column + QLatin1Char('\t') + escaped(change.before) +
                     QLatin1Char('\t') + escaped(change.after));
    return lines.join(QLatin1Char('\n'));
}

QString factLines(const std::vector<std::pair<QString, QString>>& facts) {
    std::vector<Change> lines;
    for (const auto& [name, value] : facts)
        lines.push_back({name, QString(), value});
    return changesText(lines);
}

QString unescaped(const QString& value) {
    QString result;
    result.reserve(value.size());
    for (qsizetype at = 0; at < value.size(); ++at) {
        if (value[at] != QLatin1Char('\\') || at + 1 == value.size()) {
            result += value[at];
            continue;
        }
        const QChar code = value[++at];
        result += code == QLatin1Char('t')   ? QLatin1Char('\t')
                  : code == QLatin1Char('n') ? QLatin1Char('\n')
                  : code == QLatin1Char('r') ? QLatin1Char('\r')
                                             : code;
    }
    return result;
}

std::vector<Change> parseChanges(const QString& changes) {
    std::vector<Change> parsed;
    for (const QString& line : changes.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (parts.size() == 3)
            parsed.push_back({parts[0], unescaped(parts[1]), unescaped(parts[2])});
    }
    return parsed;
}

void appendEntry(const QSqlDatabase& connection, const Entry& entry) {
    const QString source =
        entry.source.left(schema::table(tables::history).column(hist::source)->size);
    const LastRow last = lastRow(connection);
    QDateTime moment = QDateTime::currentDateTime();
    moment.setTime(QTime(moment.time().hour(), moment.time().minute(), moment.time().second()));
    const HashedFields fields{last.hash.toLatin1(),
                              QByteArray::number(last.id + 1),
                              moment.toString(QLatin1String(kMomentFormat)).toLatin1(),
                              encoded(hist::tableName, entry.tableName),
                              encoded(hist::recordKey, entry.recordKey),
                              encoded(hist::action, entry.action),
                              encoded(hist::source, source),
                              encoded(hist::changes, entry.changes)};
    // An empty text is stored as such: the columns hold no NULL.
    const auto stored = [](const QString& text) {
        return text.isNull() ? QStringLiteral("") : text;
    };
    insert(connection, {last.id + 1, moment, stored(entry.tableName), stored(entry.recordKey),
                        stored(entry.action), stored(source), fields.changes, last.hash,
                        QString::fromLatin1(hashOf(fields))});
}

std::vector<StoredEntry> entries(const QSqlDatabase& connection, const EntryFilter& filter,
                                 bool newestFirst) {
    SqlCondition condition =
        dateBetween(hist::moment, filter.from.value_or(QDate()), filter.to.value_or(QDate()));
    for (const auto& [column, value] : {std::pair{hist::tableName, filter.tableName},
                                        std::pair{hist::recordKey, filter.recordKey}})
        if (!value.isEmpty())
            condition.andAlso({QStringLiteral("%1 = ?").arg(column), {value}});
    const schema::Table& table = schema::table(tables::history);
    QStringList columns;
    for (const schema::Column& column : table.columns)
        columns.append(column.selectSql());
    std::vector<StoredEntry> read;
    inTransaction(connection, [&] {
        QSqlQuery query = executed(
            connection,
            QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4%5")
                .arg(columns.join(QStringLiteral(", ")), tables::history, condition.whereClause(),
                     hist::id, newestFirst ? QStringLiteral(" DESC") : QString()),
            condition.values);
        while (query.next())
            read.push_back(
                {query.value(0).toLongLong(), query.value(1).toDateTime(),
                 query.value(2).toString(), query.value(3).toString(), query.value(4).toString(),
                 query.value(5).toString(), windows1252::decode(query.value(6).toByteArray()),
                 query.value(7).toString().trimmed(), query.value(8).toString().trimmed()});
    });
    return read;
}

TableDigest jobSearchDigest(const QSqlDatabase& connection) {
    const schema::Table& table = schema::table(tables::jobSearch);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    TableDigest digest;
    forEachRow(connection, table, [&](const QVariantList& values) {
        QStringList shown;
        for (std::size_t each = 0; each < table.columns.size(); ++each)
            shown.append(escaped(shownValue(table.columns[each], values[int(each)])));
        hash.addData(encoded(table.name, shown.join(QLatin1Char('\t')) + QLatin1Char('\n')));
        ++digest.records;
    });
    digest.sha256 = hash.result().toHex();
    return digest;
}

void appendBaseline(const QSqlDatabase& connection, const QString& source) {
    const schema::Table& payments = schema::table(tables::payments);
    const int key = payments.columnIndex(columns::payments::pk);
    forEachRow(connection, payments, [&](const QVariantList& values) {
        appendEntry(connection, {payments.name, recordKey(values[key].toDouble()),
                                 kPresentAtUpgrade, source, addedValues(payments, values)});
    });
    const TableDigest jobs = jobSearchDigest(connection);
    appendEntry(connection, {tables::jobSearch, QString(), kPresentAtUpgrade, source,
                             QStringLiteral("RECORDS\t\t%1\nSHA256\t\t%2")
                                 .arg(jobs.records)
                                 .arg(QString::fromLatin1(jobs.sha256))});
}

void deleteRecord(const QSqlDatabase& connection, const schema::Table& table, double pk,
                  const QString& source) {
    const QVariantList held = record_columns::deleteRow(connection, table, pk);
    appendEntry(connection,
                {table.name, recordKey(pk), kDeleted, source, deletedValues(table, held)});
}

void appendStored(const QSqlDatabase& connection, const schema::Table& table, const QString& key,
                  const QString& source, const std::optional<QVariantList>& before,
                  const QVariantList& after) {
    if (!before) {
        appendEntry(connection, {table.name, key, kAdded, source, addedValues(table, after)});
        return;
    }
    const QString changes = changedValues(table, *before, after);
    if (!changes.isEmpty())
        appendEntry(connection, {table.name, key, kChanged, source, changes});
}

}  // namespace record_history
