#include "jobsearch/job_search_record.h"

#include "datastore/record_columns.h"
#include "datastore/record_history.h"
#include "datastore/table_names.h"
#include "jobsearch/job_search_rules.h"
#include "platform/database_error.h"
#include "platform/transaction.h"

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
            job_search::updateChainActiveStatus(connection, *record.refnum,
                                                job_search::isTrue(record.active), today);
    });
}

QVariant columnValue(const JobSearchRecord& record, const QString& columnName) {
    return columns().value(record, columnName);
}

void setColumnValue(JobSearchRecord& record, const QString& columnName, const QVariant& value) {
    columns().setValue(record, columnName, value);
}

}  // namespace jobsearch
