#include "jobsearch/work_search_contacts.h"

#include "datastore/record_columns.h"
#include "datastore/schema.h"
#include "datastore/table_names.h"
#include "platform/sql_statement.h"
#include "platform/transaction.h"

#include <QSqlQuery>

#include <variant>

namespace jobsearch {
namespace {

namespace job = columns::jobSearch;

using Member =
    std::variant<std::optional<double> WorkSearchContact::*,
                 std::optional<QDate> WorkSearchContact::*, QString WorkSearchContact::*>;

struct ReadColumn {
    const schema::Column* column;
    Member member;
};

const std::vector<ReadColumn>& readColumns() {
    const schema::Table& table = schema::table(tables::jobSearch);
    static const std::vector<ReadColumn> read = {
        {table.column(job::pk), &WorkSearchContact::key},
        {table.column(job::refnum), &WorkSearchContact::refnum},
        {table.column(job::date), &WorkSearchContact::date},
        {table.column(job::time), &WorkSearchContact::time},
        {table.column(job::contactName), &WorkSearchContact::contactName},
        {table.column(job::email), &WorkSearchContact::email},
        {table.column(job::posTitle), &WorkSearchContact::title},
        {table.column(job::posCity), &WorkSearchContact::city},
        {table.column(job::posState), &WorkSearchContact::state},
        {table.column(job::comment), &WorkSearchContact::comment},
        {table.column(job::submitted), &WorkSearchContact::submitted},
        {table.column(job::active), &WorkSearchContact::active},
    };
    return read;
}

// DATE_ may carry a time of day: the period runs to the start of the day
// after `to`.
QString selectSql() {
    QStringList selected;
    for (const ReadColumn& each : readColumns())
        selected.append(each.column->selectSql());
    return QStringLiteral("SELECT %1 FROM %2 WHERE %3 >= ? AND %3 < ? ORDER BY %3, %4, %5")
        .arg(selected.join(QStringLiteral(", ")), tables::jobSearch, job::date, job::time, job::pk);
}

WorkSearchContact contactOf(const QSqlQuery& query) {
    WorkSearchContact contact;
    int place = 0;
    for (const ReadColumn& each : readColumns()) {
        const QVariant value = query.value(place++);
        std::visit([&](auto member) { record_columns::read(*each.column, value, contact.*member); },
                   each.member);
    }
    return contact;
}

}  // namespace

std::vector<WorkSearchContact> contactsBetween(const QSqlDatabase& connection, const QDate& from,
                                               const QDate& to) {
    std::vector<WorkSearchContact> contacts;
    inTransaction(connection, [&] {
        QSqlQuery query =
            executed(connection, selectSql(),
                     {QDateTime(from, QTime(0, 0)), QDateTime(to.addDays(1), QTime(0, 0))});
        while (query.next())
            contacts.push_back(contactOf(query));
    });
    return contacts;
}

}  // namespace jobsearch
