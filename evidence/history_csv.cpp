#include "evidence/history_csv.h"

#include "datastore/record_history.h"
#include "datastore/schema.h"
#include "datastore/sql_condition.h"
#include "datastore/table_names.h"
#include "history/record_check.h"
#include "platform/sql_statement.h"
#include "platform/transaction.h"
#include "platform/whole_file.h"
#include "reports/csv_export.h"

#include <QSet>

namespace evidence_pack {
namespace {

struct Period {
    QDate from, to;
    bool holds(const QDate& day) const { return day.isValid() && day >= from && day <= to; }
};

// The table of a record's history and the column that dates the record.
struct DatedTable {
    QString table;
    QString dateColumn;
};

const DatedTable kDatedTables[] = {{tables::payments, columns::payments::itemDate},
                                   {tables::jobSearch, columns::jobSearch::date}};

// "QUORVEL_4 12" for the record of key 12 of QUORVEL_4.
QString recordName(const QString& table, const QString& key) {
    return table + QLatin1Char(' ') + key;
}

void addRecordsNow(const QSqlDatabase& connection, const Period& period, QSet<QString>& records) {
    inTransaction(connection, [&] {
        for (const DatedTable& dated : kDatedTables) {
            const SqlCondition condition = dateBetween(dated.dateColumn, period.from, period.to);
            QSqlQuery query = executed(connection,
                                       QStringLiteral("SELECT %1 FROM %2%3")
                                           .arg(schema::table(dated.table).primaryKey.first(),
                                                dated.table, condition.whereClause()),
                                       condition.values);
            while (query.next())
                records.insert(
                    recordName(dated.table, record_history::recordKey(query.value(0).toDouble())));
        }
    });
}

// The day a deleted record was dated by, as its last entry holds it.
QDate deletedRecordsDay(const record_history::StoredEntry& entry, const QString& dateColumn) {
    for (const record_history::Change& change : record_history::parseChanges(entry.changes))
        if (change.column == dateColumn)
            return QDate::fromString(change.before.isEmpty() ? change.after : change.before,
                                     Qt::ISODate);
    return QDate();
}

void addDeletedRecords(const std::vector<record_history::StoredEntry>& entries,
                       const Period& period, QSet<QString>& records) {
    for (const record_history::StoredEntry& entry : entries) {
        if (entry.action != QLatin1String(record_history::kDeleted))
            continue;
        for (const DatedTable& dated : kDatedTables)
            if (entry.tableName == dated.table &&
                period.holds(deletedRecordsDay(entry, dated.dateColumn)))
                records.insert(recordName(entry.tableName, entry.recordKey));
    }
}

bool belongsToPeriod(const record_history::StoredEntry& entry, const Period& period,
                     const QSet<QString>& records) {
    if (!history::namesOneRecord(entry.recordKey))
        return period.holds(entry.moment.date());
    return records.contains(recordName(entry.tableName, entry.recordKey));
}

QStringList fieldsOf(const record_history::StoredEntry& entry) {
    return {QString::number(entry.id),
            entry.moment.toString(QLatin1String(record_history::kMomentFormat)),
            entry.tableName,
            entry.recordKey,
            entry.action,
            entry.source,
            entry.changes,
            entry.previousHash,
            entry.hash};
}

}  // namespace

int writeHistoryCsv(const QSqlDatabase& connection, const QDate& from, const QDate& to,
                    const QString& path) {
    const Period period{from, to};
    QSet<QString> records;
    addRecordsNow(connection, period, records);
    const std::vector<record_history::StoredEntry> entries =
        record_history::entries(connection, {});
    addDeletedRecords(entries, period, records);

    QStringList header;
    for (const schema::Column& column : schema::table(tables::history).columns)
        header << column.name;
    QByteArray bytes = csv_export::record(header);
    int written = 0;
    for (const record_history::StoredEntry& entry : entries)
        if (belongsToPeriod(entry, period, records)) {
            bytes += csv_export::record(fieldsOf(entry));
            ++written;
        }
    whole_file::write(path, bytes, whole_file::Existing::Refuse);
    return written;
}

}  // namespace evidence_pack
