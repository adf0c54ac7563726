#include "jobsearch/job_search_record.h"

#include "datastore/record_columns.h"
#include "jobsearch/job_search_rules.h"
#include "platform/database_error.h"
#include "platform/transaction.h"

namespace jobsearch {
namespace {

const record_columns::Columns<JobSearchRecord>& columns() {
    using R = JobSearchRecord;
    static const record_columns::Columns<JobSearchRecord> bound(
        QStringLiteral("JSEARCH_4"), {{"PK", &R::pk},
                                      {"ACTIVE_", &R::active},
                                      {"ACTIVE_CHANGED", &R::activeChanged},
                                      {"REFNUM", &R::refnum},
                                      {"DATE_", &R::date},
                                      {"YYYYMMDD", &R::sortKey},
                                      {"TIME_", &R::time},
                                      {"CONTACT_NAME", &R::contactName},
                                      {"EMAIL", &R::email},
                                      {"POS_TYPE", &R::positionType},
                                      {"POS_CITY", &R::city},
                                      {"POS_STATE", &R::state},
                                      {"POS_TITLE", &R::title},
                                      {"POS_TITLE_ORIGINAL", &R::originalTitle},
                                      {"SUBMITTED", &R::submitted},
                                      {"REASON_NO_SUBMIT", &R::reasonNotSubmitted},
                                      {"ITEM_FILE", &R::itemFile},
                                      {"COMMENT", &R::comment},
                                      {"MEMO", &R::memo},
                                      {"FINALIZED", &R::finalized},
                                      {"FINAL_COMMENT", &R::finalComment}});
    return bound;
}

}  // namespace

std::optional<JobSearchRecord> load(const QSqlDatabase& connection, double pk) {
    return columns().load(connection, pk);
}

void store(const QSqlDatabase& connection, const JobSearchRecord& record,
           const std::optional<JobSearchRecord>& loaded, Chain chain, const QDate& today) {
    if (!record.pk)
        throw DatabaseError(QStringLiteral("A job search record without a key cannot be stored."));
    inTransaction(connection, [&] {
        if (loaded)
            columns().update(connection, record, *loaded, *loaded->pk);
        else
            columns().insert(connection, record);
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
