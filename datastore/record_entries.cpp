#include "datastore/record_entries.h"

#include "datastore/table_names.h"
#include "platform/sql_statement.h"
#include "platform/transaction.h"

#include <algorithm>

namespace record_history {
namespace {

namespace hist = columns::history;

// The range keys of the bulk entries of `tableName`.
QStringList rangeKeys(const QSqlDatabase& connection, const QString& tableName) {
    QStringList keys;
    inTransaction(connection, [&] {
        QSqlQuery query =
            executed(connection,
                     QStringLiteral("SELECT DISTINCT %1 FROM %2 WHERE %3 = ? AND "
                                    "%1 LIKE ?")
                         .arg(hist::recordKey, tables::history, hist::tableName),
                     {tableName, QStringLiteral("%") + kKeyRangeSeparator + QStringLiteral("%")});
        while (query.next())
            keys.append(query.value(0).toString());
    });
    return keys;
}

}  // namespace

bool rangeHolds(const QString& rangeKey, const QString& recordKey) {
    const QStringList ends = rangeKey.split(QLatin1String(kKeyRangeSeparator));
    bool firstRead = false, lastRead = false, keyRead = false;
    const double first = ends.value(0).toDouble(&firstRead);
    const double last = ends.value(1).toDouble(&lastRead);
    const double key = recordKey.toDouble(&keyRead);
    return ends.size() == 2 && firstRead && lastRead && keyRead && first <= key && key <= last;
}

std::vector<StoredEntry> entriesOfRecord(const QSqlDatabase& connection, const QString& tableName,
                                         const QString& recordKey) {
    std::vector<StoredEntry> found = entries(connection, {{}, {}, tableName, recordKey}, true);
    for (const QString& range : rangeKeys(connection, tableName)) {
        if (!rangeHolds(range, recordKey))
            continue;
        const std::vector<StoredEntry> bulk = entries(connection, {{}, {}, tableName, range}, true);
        found.insert(found.end(), bulk.begin(), bulk.end());
    }
    std::sort(found.begin(), found.end(),
              [](const StoredEntry& one, const StoredEntry& other) { return one.id > other.id; });
    return found;
}

}  // namespace record_history
