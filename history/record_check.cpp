#include "history/record_check.h"

#include "datastore/record_history.h"
#include "datastore/schema.h"
#include "datastore/table_names.h"
#include "platform/sql_statement.h"
#include "platform/transaction.h"
#include "platform/windows1252.h"

#include <QSqlQuery>

namespace history {
namespace {

namespace hist = columns::history;

using Values = QHash<QString, QString>;

struct PaymentsNow {
    QHash<QString, Values> records;
    // A key shown for more than one record (their keys differ only past its
    // fifteen digits), once for each record after the first: one history
    // cannot hold them all.
    QStringList sharedKeys;
};

PaymentsNow valuesNow(const QSqlDatabase& connection) {
    const schema::Table& table = schema::table(tables::payments);
    QStringList selected;
    for (const schema::Column& column : table.columns)
        selected.append(column.selectSql());
    PaymentsNow now;
    inTransaction(connection, [&] {
        QSqlQuery query =
            executed(connection, QStringLiteral("SELECT %1 FROM %2")
                                     .arg(selected.join(QStringLiteral(", ")), table.name));
        while (query.next()) {
            const QString key = record_history::recordKey(query.value(0).toDouble());
            if (now.records.contains(key))
                now.sharedKeys.append(key);
            Values& values = now.records[key];
            for (int each = 0; each < int(table.columns.size()); ++each)
                values[table.columns[each].name] =
                    record_history::shownValue(table.columns[each], query.value(each));
        }
    });
    return now;
}

const QString kAbsent = QStringLiteral("absent");

}  // namespace

bool namesOneRecord(const QString& recordKey) {
    bool isNumber = false;
    recordKey.toDouble(&isNumber);
    return isNumber;
}

void PaymentTrail::take(const WalkedRow& row) {
    if (row.tableName != QByteArrayView(tables::payments.data(), tables::payments.size()))
        return;
    const QString key = windows1252::decode(row.recordKey.toByteArray());
    if (!namesOneRecord(key))
        return;
    if (row.action == QByteArrayView(record_history::kDeleted)) {
        records_.remove(key);
        return;
    }
    // Read byte by byte rather than through parseChanges: a check of the
    // whole history takes every entry of every payment.
    Values& values = records_[key];
    QByteArrayView rest = row.changes;
    while (!rest.isEmpty()) {
        const qsizetype end = rest.indexOf('\n');
        const QByteArrayView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        const qsizetype column = line.indexOf('\t'), after = line.lastIndexOf('\t');
        if (column >= 0 && after > column)
            values[QString::fromLatin1(line.first(column))] = record_history::unescaped(
                windows1252::decode(line.sliced(after + 1).toByteArray()));
    }
}

std::vector<Difference> PaymentTrail::differences(const QSqlDatabase& connection) const {
    const PaymentsNow payments = valuesNow(connection);
    const QHash<QString, Values>& now = payments.records;
    std::vector<Difference> differences;
    for (const QString& key : payments.sharedKeys)
        differences.push_back({key, QString(), kAbsent, QString()});
    for (auto record = records_.cbegin(); record != records_.cend(); ++record) {
        const auto current = now.constFind(record.key());
        if (current == now.cend()) {
            differences.push_back({record.key(), QString(), QString(), kAbsent});
            continue;
        }
        for (auto value = record->cbegin(); value != record->cend(); ++value)
            if (current->value(value.key()) != value.value())
                differences.push_back(
                    {record.key(), value.key(), value.value(), current->value(value.key())});
    }
    for (auto record = now.cbegin(); record != now.cend(); ++record)
        if (!records_.contains(record.key()))
            differences.push_back({record.key(), QString(), kAbsent, QString()});
    std::sort(differences.begin(), differences.end(), [](const Difference& a, const Difference& b) {
        return std::pair(a.recordKey, a.column) < std::pair(b.recordKey, b.column);
    });
    return differences;
}

std::vector<Difference> paymentDifferences(const QSqlDatabase& connection) {
    PaymentTrail trail;
    inTransaction(connection, [&] {
        QSqlQuery query =
            executed(connection,
                     QStringLiteral("SELECT %1, %2, %3 FROM %4 WHERE %5 = ? ORDER BY %6")
                         .arg(hist::recordKey, hist::action, hist::changes, tables::history,
                              hist::tableName, hist::id),
                     {QString(tables::payments)});
        while (query.next()) {
            const QByteArray key = query.value(0).toString().toLatin1();
            const QByteArray action = query.value(1).toString().toLatin1();
            const QByteArray changes = query.value(2).toByteArray();
            trail.take({QByteArrayView(tables::payments.data(), tables::payments.size()), key,
                        action, changes});
        }
    });
    return trail.differences(connection);
}

}  // namespace history
