#include "obligations/obligation_store.h"

#include "obligations/named_values.h"
#include "obligations/stored_payments.h"

#include "datastore/record_columns.h"
#include "datastore/table_names.h"
#include "platform/database_error.h"
#include "platform/sql_statement.h"
#include "platform/transaction.h"

#include <QSqlQuery>

#include <array>
#include <utility>

namespace obligations {
namespace {

// An OBLIGATION_4 row as the columns hold it.
struct Row {
    int pk = 0;
    QString kind;
    qint64 amount = 0;
    QString frequency;
    int dueDay = 0;
    int secondDueDay = 0;
    std::optional<QDate> firstDue;
    std::optional<QDate> lastDue;
    QString orderRef;
    QString memo;

    bool operator==(const Row&) const = default;
};

const record_columns::Columns<Row>& columns() {
    namespace oblig = ::columns::obligations;
    static const record_columns::Columns<Row> bound(tables::obligations,
                                                    {{oblig::pk, &Row::pk},
                                                     {oblig::kind, &Row::kind},
                                                     {oblig::amount, &Row::amount},
                                                     {oblig::frequency, &Row::frequency},
                                                     {oblig::dueDay, &Row::dueDay},
                                                     {oblig::secondDueDay, &Row::secondDueDay},
                                                     {oblig::firstDue, &Row::firstDue},
                                                     {oblig::lastDue, &Row::lastDue},
                                                     {oblig::orderRef, &Row::orderRef},
                                                     {oblig::memo, &Row::memo}});
    return bound;
}

constexpr NamedValues<Kind, 4> kKindCodes = {{
    {Kind::SpousalSupport, "SS"},
    {Kind::RetiredPay, "RP"},
    {Kind::ChildSupport, "CS"},
    {Kind::Other, "OT"},
}};

constexpr NamedValues<Frequency, 6> kFrequencyCodes = {{
    {Frequency::Weekly, "WK"},
    {Frequency::EveryTwoWeeks, "BW"},
    {Frequency::TwiceAMonth, "SM"},
    {Frequency::Monthly, "MO"},
    {Frequency::Yearly, "YR"},
    {Frequency::Once, "ON"},
}};

Row rowOf(const Obligation& obligation, int pk) {
    return {pk,
            kindCode(obligation.kind),
            obligation.amount,
            frequencyCode(obligation.frequency),
            obligation.dueDay,
            obligation.secondDueDay,
            obligation.firstDue,
            obligation.lastDue,
            obligation.orderReference,
            obligation.memo};
}

DatabaseError unknownCode(const Row& row, const QString& column, const QString& code) {
    return DatabaseError(QStringLiteral("The obligation %1 holds %2 '%3', which this program "
                                        "does not know.")
                             .arg(row.pk)
                             .arg(column, code));
}

Obligation obligationOf(const Row& row) {
    const std::optional<Kind> kind = kindOfCode(row.kind);
    if (!kind)
        throw unknownCode(row, ::columns::obligations::kind, row.kind);
    const std::optional<Frequency> frequency = frequencyOfCode(row.frequency);
    if (!frequency)
        throw unknownCode(row, ::columns::obligations::frequency, row.frequency);
    return {row.pk,
            *kind,
            row.amount,
            *frequency,
            row.dueDay,
            row.secondDueDay,
            row.firstDue.value_or(QDate()),
            row.lastDue,
            row.orderRef,
            row.memo};
}

// The rows that meet `condition`, on the transaction open on the connection.
std::vector<Row> rowsHeld(const QSqlDatabase& connection, const QString& condition,
                          const QVariantList& values = {}) {
    const schema::Table& table = columns().table();
    QStringList selected;
    for (const schema::Column& column : table.columns)
        selected.append(column.selectSql());
    QSqlQuery query = executed(connection,
                               QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4")
                                   .arg(selected.join(QStringLiteral(", ")), table.name, condition,
                                        table.primaryKey.first()),
                               values);
    std::vector<Row> rows;
    while (query.next()) {
        Row row;
        for (int each = 0; each < int(table.columns.size()); ++each)
            columns().setValue(row, table.columns[std::size_t(each)].name, query.value(each));
        rows.push_back(row);
    }
    return rows;
}

Row rowHeld(const QSqlDatabase& connection, qint64 key) {
    const std::vector<Row> rows = rowsHeld(
        connection, QStringLiteral("%1 = ?").arg(::columns::obligations::pk), {QVariant(key)});
    if (rows.empty())
        throw Refused(QStringLiteral("The obligation %1 is no longer there; it may have been "
                                     "deleted meanwhile.")
                          .arg(key));
    return rows.front();
}

int nextKey(const QSqlDatabase& connection) {
    QSqlQuery query =
        executed(connection, QStringLiteral("SELECT COALESCE(MAX(%1), 0) + 1 FROM %2")
                                 .arg(::columns::obligations::pk, tables::obligations));
    query.next();
    return query.value(0).toInt();
}

void refuseProblem(const Obligation& obligation) {
    const QString problem = problemWith(obligation);
    if (!problem.isEmpty())
        throw Refused(problem);
}

Obligation inserted(const QSqlDatabase& connection, Obligation obligation) {
    obligation.key = nextKey(connection);
    columns().insert(connection, rowOf(obligation, int(*obligation.key)));
    return obligation;
}

qint64 keyOf(const Obligation& obligation) {
    if (!obligation.key)
        throw Refused(QStringLiteral("An obligation that was never stored cannot be changed."));
    return *obligation.key;
}

// What the stored obligation becomes when the order changes from `from`.
Obligation endedBefore(const Obligation& stored, const QDate& from) {
    if (from <= stored.firstDue)
        throw Refused(QStringLiteral("The change date must be after the first due date, %1.")
                          .arg(stored.firstDue.toString(Qt::ISODate)));
    if (stored.lastDue && from > stored.lastDue->addDays(1))
        throw Refused(QStringLiteral("The obligation ended on %1, before the change date.")
                          .arg(stored.lastDue->toString(Qt::ISODate)));
    Obligation ended = stored;
    ended.lastDue = from.addDays(-1);
    refuseProblem(ended);
    return ended;
}

}  // namespace

QString kindCode(Kind kind) {
    return nameOf(kKindCodes, kind);
}

QString frequencyCode(Frequency frequency) {
    return nameOf(kFrequencyCodes, frequency);
}

std::optional<Kind> kindOfCode(const QString& code) {
    return valueNamed(kKindCodes, code);
}

std::optional<Frequency> frequencyOfCode(const QString& code) {
    return valueNamed(kFrequencyCodes, code);
}

std::vector<Obligation> loadAll(const QSqlDatabase& connection) {
    std::vector<Row> rows;
    inTransaction(connection, [&] { rows = rowsHeld(connection, QStringLiteral("1 = 1")); });
    std::vector<Obligation> obligations;
    for (const Row& row : rows)
        obligations.push_back(obligationOf(row));
    return obligations;
}

Obligation add(const QSqlDatabase& connection, const Obligation& obligation) {
    refuseProblem(obligation);
    Obligation added;
    inTransaction(connection, [&] { added = inserted(connection, obligation); });
    return added;
}

void change(const QSqlDatabase& connection, const Obligation& obligation) {
    const qint64 key = keyOf(obligation);
    refuseProblem(obligation);
    inTransaction(connection, [&] {
        const Row stored = rowHeld(connection, key);
        columns().update(connection, rowOf(obligation, stored.pk), stored, stored.pk);
    });
}

void remove(const QSqlDatabase& connection, qint64 key) {
    inTransaction(connection,
                  [&] { record_columns::deleteRow(connection, columns().table(), QVariant(key)); });
}

Obligation changeFrom(const QSqlDatabase& connection, qint64 key, const QDate& from,
                      Obligation changed) {
    changed.firstDue = from;
    refuseProblem(changed);
    Obligation added;
    inTransaction(connection, [&] {
        const Row stored = rowHeld(connection, key);
        const Obligation ended = endedBefore(obligationOf(stored), from);
        columns().update(connection, rowOf(ended, stored.pk), stored, stored.pk);
        added = inserted(connection, changed);
    });
    return added;
}

ArrearsStatement storedStatement(const QSqlDatabase& connection, const QDate& from, const QDate& to,
                                 CountingDate counting) {
    return arrearsStatement(loadAll(connection), storedPayments(connection), from, to, counting);
}

}  // namespace obligations
