#include "history/chain_check.h"

#include "datastore/locations.h"
#include "datastore/record_history.h"
#include "datastore/table_names.h"
#include "platform/firebird_rows.h"

namespace history {
namespace {

namespace hist = columns::history;

QString selectStatement() {
    return QStringLiteral(
               "SELECT %1, CAST(%2 AS VARCHAR(24)), %3, %4, %5, %6, %7, %8, %9 FROM %10 "
               "ORDER BY %1")
        .arg(hist::id, hist::moment, hist::tableName, hist::recordKey, hist::action, hist::source,
             hist::changes, hist::previousHash, hist::hash)
        .arg(tables::history);
}

QByteArray withoutPadding(QByteArrayView text) {
    while (text.endsWith(' '))
        text.chop(1);
    return text.toByteArray();
}

record_history::HashedFields fieldsOf(const fb::Row& row, qint64 id) {
    return {withoutPadding(row.text(7)),         QByteArray::number(id),
            row.text(1).first(19).toByteArray(), row.text(2).toByteArray(),
            row.text(3).toByteArray(),           row.text(4).toByteArray(),
            row.text(5).toByteArray(),           row.isNull(6) ? QByteArray() : row.blob(6)};
}

// Why the row does not follow the row before, or an empty text when it does.
QString fault(const fb::Row& row, const record_history::HashedFields& fields, qint64 id,
              const ChainCheck& sofar) {
    if (id != sofar.rows + 1)
        return sofar.rows == 0 ? QStringLiteral("the first row's ID is not 1")
                               : QStringLiteral("its ID does not follow the row before");
    if (fields.previousHash != sofar.lastHash)
        return QStringLiteral("its previous hash is not the hash of the row before");
    if (record_history::hashOf(fields) != withoutPadding(row.text(8)))
        return QStringLiteral("its hash is not the hash of its content");
    return QString();
}

}  // namespace

ChainCheck verify(const QSqlDatabase& connection,
                  const std::function<void(const WalkedRow&)>& eachRow) {
    ChainCheck check;
    fb::forEachRow(
        connection.databaseName(), databaseAccount(), selectStatement(), {},
        [&](const fb::Row& row) {
            const qint64 id = qint64(row.number(0));
            const record_history::HashedFields fields = fieldsOf(row, id);
            if (eachRow)
                eachRow({fields.tableName, fields.recordKey, fields.action, fields.changes});
            if (check.brokenAt)
                return;
            check.reason = fault(row, fields, id, check);
            if (!check.reason.isEmpty()) {
                check.brokenAt = id;
                return;
            }
            ++check.rows;
            check.lastHash = withoutPadding(row.text(8));
        });
    return check;
}

}  // namespace history
