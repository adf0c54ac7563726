#include "jobsearch/job_search_record.h"

#include "datastore/record_columns.h"
#include "datastore/record_history.h"
#include "datastore/table_names.h"
#include "jobsearch/job_search_rules.h"
#include "platform/database_error.h"
#include "platform/transaction.h"

#include <QSqlError>
#include <QSqlQuery>

#include <vector>

namespace jobsearch {
namespace {

const record_columns::Columns<JobSearchRecord>& columns() {
    using R = JobSearchRecord;
    namespace job = ::columns::jobSearch;
    static const record_columns::Columns<JobSearchRecord> bound(
        tables::jobSearch, {{job::pk, &R::pk},
                            {job::active, &R::active},
                            {job::activeChanged, &R::activeChanged},
                            {job::refnum, &R::refnum},
                            {job::date, &R::date},
                            {job::yyyymmdd, &R::sortKey},
                            {job::time, &R::time},
                            {job::contactName, &R::contactName},
                            {job::email, &R::email},
                            {job::posType, &R::positionType},
                            {job::posCity, &R::city},
                            {job::posState, &R::state},
                            {job::posTitle, &R::title},
                            {job::posTitleOriginal, &R::originalTitle},
                            {job::submitted, &R::submitted},
                            {job::reasonNoSubmit, &R::reasonNotSubmitted},
                            {job::itemFile, &R::itemFile},
                            {job::comment, &R::comment},
                            {job::memo, &R::memo},
                            {job::finalized, &R::finalized},
                            {job::finalComment, &R::finalComment}});
    return bound;
}

namespace job = ::columns::jobSearch;

// The two columns a chain's records take from the record saved.
schema::Table statusColumns() {
    const schema::Table& table = columns().table();
    return {table.name, {*table.column(job::active), *table.column(job::activeChanged)}, {}, {}};
}

struct ChainMember {
    double pk = 0;
    QVariantList status;  // ACTIVE_ and ACTIVE_CHANGED as stored
};

std::vector<ChainMember> chainStatus(const QSqlDatabase& connection, double refnum) {
    const schema::Table status = statusColumns();
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    if (!query.prepare(QStringLiteral("SELECT %1, %2, %3 FROM %4 WHERE %5 = ? ORDER BY %1")
                           .arg(job::pk, status.columns[0].selectSql(), job::activeChanged,
                                status.name, job::refnum)))
        throw DatabaseError(query.lastError().text());
    query.addBindValue(refnum);
    if (!query.exec())
        throw DatabaseError(query.lastError().text());
    std::vector<ChainMember> members;
    while (query.next())
        members.push_back({query.value(0).toDouble(), {query.value(1), query.value(2)}});
    return members;
}

// Gives the record's chain its active status, each record whose status
// changed with a history entry of its own.
void carryStatusToChain(const QSqlDatabase& connection, const JobSearchRecord& record,
                        const QString& source, const QDate& today) {
    const std::vector<ChainMember> before = chainStatus(connection, *record.refnum);
    const bool active = job_search::isTrue(record.active);
    job_search::updateChainActiveStatus(connection, *record.refnum, active, today);
    const schema::Table status = statusColumns();
    const QVariantList after{job_search::statusText(active), QDateTime(today, QTime(0, 0))};
    for (const ChainMember& member : before) {
        const QString changes = record_history::changedValues(status, member.status, after);
        if (!changes.isEmpty())
            record_history::appendEntry(connection,
                                        {status.name, record_history::recordKey(member.pk),
                                         record_history::kChanged, source, changes});
    }
}

}  // namespace

std::optional<JobSearchRecord> load(const QSqlDatabase& connection, double pk) {
    return columns().load(connection, pk);
}

void store(const QSqlDatabase& connection, const JobSearchRecord& record, const QString& source,
           const std::optional<JobSearchRecord>& loaded, Chain chain, const QDate& today) {
    if (!record.pk)
        throw DatabaseError(QStringLiteral("A job search record without a key cannot be stored."));
    inTransaction(connection, [&] {
        std::optional<QVariantList> before;
        if (loaded) {
            columns().update(connection, record, *loaded, *loaded->pk);
            before = record_history::valuesOf(columns(), *loaded);
        } else {
            columns().insert(connection, record);
        }
        record_history::appendStored(connection, columns().table(),
                                     record_history::recordKey(*record.pk), source, before,
                                     record_history::valuesOf(columns(), record));
        if (chain == Chain::TakesStatus && record.refnum)
            carryStatusToChain(connection, record, source, today);
    });
}

void remove(const QSqlDatabase& connection, double pk, const QString& source) {
    inTransaction(connection,
                  [&] { record_history::deleteRecord(connection, columns().table(), pk, source); });
}

QVariant columnValue(const JobSearchRecord& record, const QString& columnName) {
    return columns().value(record, columnName);
}

void setColumnValue(JobSearchRecord& record, const QString& columnName, const QVariant& value) {
    columns().setValue(record, columnName, value);
}

}  // namespace jobsearch
