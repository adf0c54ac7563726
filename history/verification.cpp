#include "history/verification.h"

#include "datastore/table_names.h"
#include "history/chain_check.h"
#include "history/record_check.h"
#include "platform/sql_statement.h"
#include "platform/transaction.h"

#include <QSqlQuery>

namespace history {
namespace {

namespace hist = columns::history;

struct LastEntry {
    qint64 id = 0;
    QString hash;
};

// The row of the highest ID, whether or not the chain reaches it.
LastEntry lastEntry(const QSqlDatabase& connection) {
    LastEntry last;
    inTransaction(connection, [&] {
        QSqlQuery query =
            executed(connection, QStringLiteral("SELECT FIRST 1 %1, %2 FROM %3 ORDER BY %1 DESC")
                                     .arg(hist::id, hist::hash, tables::history));
        if (query.next())
            last = {query.value(0).toLongLong(), query.value(1).toString().trimmed()};
    });
    return last;
}

QStringList chainLines(const ChainCheck& chain, const LastEntry& last) {
    if (chain.holds())
        return {last.id == 0 ? QStringLiteral("The history's chain holds: it has no entries.")
                             : QStringLiteral("The history's chain holds: %1 %2; the last "
                                              "entry, ID %3, has the hash %4.")
                                   .arg(chain.rows)
                                   .arg(chain.rows == 1 ? "entry" : "entries")
                                   .arg(last.id)
                                   .arg(last.hash)};
    return {QStringLiteral("The history's chain is BROKEN at the entry with ID %1: %2.")
                .arg(*chain.brokenAt)
                .arg(chain.reason),
            QStringLiteral("The last entry, ID %1, has the hash %2.").arg(last.id).arg(last.hash)};
}

QString differenceLine(const Difference& difference) {
    if (difference.column.isEmpty() && difference.now.isEmpty())
        return QStringLiteral("Payment record %1: absent from its history, present now.")
            .arg(difference.recordKey);
    if (difference.column.isEmpty())
        return QStringLiteral("Payment record %1: in its history, absent now.")
            .arg(difference.recordKey);
    return QStringLiteral("Payment record %1, %2: \"%3\" in its history, \"%4\" now.")
        .arg(difference.recordKey, difference.column, difference.inHistory, difference.now);
}

}  // namespace

Verification verification(const QSqlDatabase& connection) {
    PaymentTrail trail;
    const ChainCheck chain = verify(connection, [&](const WalkedRow& row) { trail.take(row); });
    const std::vector<Difference> differences = trail.differences(connection);
    Verification result{chain.holds() && differences.empty(),
                        chainLines(chain, lastEntry(connection))};
    if (differences.empty())
        result.lines << QStringLiteral(
            "Every payment record holds the values its history ends "
            "with.");
    for (const Difference& difference : differences)
        result.lines << differenceLine(difference);
    return result;
}

}  // namespace history
