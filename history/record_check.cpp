#include "history/record_check.h"

#include "datastore/record_history.h"
#include "datastore/schema.h"
#include "datastore/table_names.h"
#include "platform/database_error.h"
#include "platform/transaction.h"
#include "platform/windows1252.h"

#include <QMap>
#include <QSqlError>
#include <QSqlQuery>

namespace history {
namespace {

namespace hist = columns::history;

// For each record the history names, its columns as its last entries left
// them; a record whose last entry deleted it holds nothing.
using Values = QMap<QString, QString>;
using RecordValues = QMap<QString, Values>;

QSqlQuery executed(const QSqlDatabase& connection, const QString& sql) {
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    if (!query.exec(sql))
        throw DatabaseError(query.lastError().text());
    return query;
}

RecordValues valuesInHistory(const QSqlDatabase& connection) {
    RecordValues records;
    QSqlQuery query =
        executed(connection, QStringLiteral("SELECT %1, %2, %3 FROM %4 WHERE %5 = '%6' ORDER BY %7")
                                 .arg(hist::recordKey, hist::action, hist::changes, tables::history,
                                      hist::tableName, tables::payments, hist::id));
    while (query.next()) {
        const QString key = query.value(0).toString();
        if (!namesOneRecord(key))
            continue;
        if (query.value(1).toString() == QLatin1String(record_history::kDeleted)) {
            records.remove(key);
            continue;
        }
        Values& values = records[key];
        for (const record_history::Change& change :
             record_history::parseChanges(windows1252::decode(query.value(2).toByteArray())))
            values[change.column] = change.after;
    }
    return records;
}

RecordValues valuesNow(const QSqlDatabase& connection) {
    const schema::Table& table = schema::table(tables::payments);
    QStringList selected;
    for (const schema::Column& column : table.columns)
        selected.append(column.selectSql());
    RecordValues records;
    QSqlQuery query = executed(
        connection,
        QStringLiteral("SELECT %1 FROM %2").arg(selected.join(QStringLiteral(", ")), table.name));
    while (query.next()) {
        Values& values = records[record_history::recordKey(query.value(0).toDouble())];
        for (int each = 0; each < int(table.columns.size()); ++each)
            values[table.columns[each].name] =
                record_history::shownValue(table.columns[each], query.value(each));
    }
    return records;
}

}  // namespace

bool namesOneRecord(const QString& recordKey) {
    bool isNumber = false;
    recordKey.toDouble(&isNumber);
    return isNumber;
}

std::vector<Difference> paymentDifferences(const QSqlDatabase& connection) {
    RecordValues inHistory, now;
    inTransaction(connection, [&] {
        inHistory = valuesInHistory(connection);
        now = valuesNow(connection);
    });
    std::vector<Difference> differences;
    for (auto record = inHistory.cbegin(); record != inHistory.cend(); ++record) {
        const auto current = now.constFind(record.key());
        if (current == now.cend()) {
            differences.push_back({record.key(), QString(), QString(), QStringLiteral("absent")});
            continue;
        }
        for (auto value = record->cbegin(); value != record->cend(); ++value)
            if (current->value(value.key()) != value.value())
                differences.push_back(
                    {record.key(), value.key(), value.value(), current->value(value.key())});
    }
    return differences;
}

}  // namespace history
