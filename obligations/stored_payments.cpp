#include "obligations/stored_payments.h"

#include "datastore/record_columns.h"
#include "datastore/table_names.h"
#include "platform/sql_statement.h"
#include "platform/transaction.h"

#include <QSqlQuery>

#include <utility>

namespace obligations {
namespace {

using Read = void (*)(const schema::Column&, const QVariant&, Payment&);

template <auto member>
void readInto(const schema::Column& column, const QVariant& value, Payment& payment) {
    record_columns::read(column, value, payment.*member);
}

// The columns read, each with the member it is read into.
const std::vector<std::pair<QString, Read>>& readColumns() {
    namespace pay = ::columns::payments;
    static const std::vector<std::pair<QString, Read>> read = {
        {pay::pk, readInto<&Payment::key>},
        {pay::itemDate, readInto<&Payment::itemDate>},
        {pay::checkNbr, readInto<&Payment::checkNumber>},
        {pay::ssAmt, readInto<&Payment::spousalSupport>},
        {pay::rpAmt, readInto<&Payment::retiredPay>},
        {pay::csAmt, readInto<&Payment::childSupport>},
        {pay::otherAmt, readInto<&Payment::other>},
        {pay::dateSent, readInto<&Payment::sent>},
        {pay::dateDel, readInto<&Payment::delivered>},
        {pay::dateClear, readInto<&Payment::cleared>},
        {pay::dateReturned, readInto<&Payment::returned>},
    };
    return read;
}

}  // namespace

std::vector<Payment> storedPayments(const QSqlDatabase& connection) {
    const schema::Table& table = schema::table(tables::payments);
    QStringList selected;
    for (const auto& [name, read] : readColumns())
        selected.append(table.column(name)->selectSql());
    const QString sql = QStringLiteral("SELECT %1 FROM %2 ORDER BY %3, %4")
                            .arg(selected.join(QStringLiteral(", ")), table.name,
                                 ::columns::payments::itemDate, ::columns::payments::pk);
    std::vector<Payment> payments;
    inTransaction(connection, [&] {
        QSqlQuery query = executed(connection, sql);
        while (query.next()) {
            Payment payment;
            for (int each = 0; each < int(readColumns().size()); ++each) {
                const auto& [name, read] = readColumns()[std::size_t(each)];
                read(*table.column(name), query.value(each), payment);
            }
            payments.push_back(payment);
        }
    });
    return payments;
}

}  // namespace obligations
