#include "jobsearch/job_search_rules.h"

#include "datastore/field_text.h"
#include "datastore/schema.h"
#include "datastore/table_names.h"
#include "platform/database_error.h"
#include "platform/transaction.h"

#include <QSqlError>
#include <QSqlQuery>

namespace job_search {

namespace {

const schema::Column& columnOf(const QString& name) {
    return *schema::table(tables::jobSearch).column(name);
}

}  // namespace

bool isTrue(const QString& text) {
    return !text.isEmpty() && QStringLiteral("TtYy").contains(text.front());
}

QString statusText(bool value) {
    return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

bool activeStatusChanged(bool editing, bool activeWhenEditBegan, const QString& activeText) {
    return editing && isTrue(activeText) != activeWhenEditBegan;
}

double storedNumber(double number) {
    return QString::number(number, 'g', 15).toDouble();
}

ChainNumbers numbersForSave(bool hasRefnum, bool hasPk, const std::function<double()>& newNumber) {
    ChainNumbers numbers;
    if (!hasRefnum) {
        numbers.refnum = storedNumber(newNumber());
        if (!hasPk)
            numbers.pk = numbers.refnum;
    }
    if (!hasPk && !numbers.pk)
        numbers.pk = storedNumber(newNumber());
    return numbers;
}

void completeForSave(JobSearchRecord& record, std::optional<bool> activeWhenEditBegan,
                     const QDate& today, const std::function<double()>& newNumber) {
    record.sortKey = record.date.value_or(field_text::kAbsentDate).toString("yyyyMMdd");
    if (activeStatusChanged(activeWhenEditBegan.has_value(), activeWhenEditBegan.value_or(false),
                            record.active))
        record.activeChanged = today;
    const ChainNumbers numbers =
        numbersForSave(record.refnum.has_value(), record.pk.has_value(), newNumber);
    if (numbers.refnum)
        record.refnum = numbers.refnum;
    if (numbers.pk)
        record.pk = numbers.pk;
}

std::optional<JobSearchRecord> followupOf(const JobSearchRecord& followed, const QDate& today) {
    if (!followed.refnum)
        return std::nullopt;
    JobSearchRecord followup;
    followup.refnum = followed.refnum;
    followup.date = today;
    followup.memo = QStringLiteral("");
    followup.city = followed.city;
    followup.comment = followed.comment;
    followup.contactName = followed.contactName;
    followup.email = followed.email;
    followup.itemFile = followed.itemFile;
    followup.positionType = followed.positionType;
    followup.title = followed.title;
    followup.reasonNotSubmitted = followed.reasonNotSubmitted;
    followup.state = followed.state;
    followup.submitted = followed.submitted;
    followup.time = followed.time;
    return followup;
}

int updateChainActiveStatus(const QSqlDatabase& connection, double refnum, bool active,
                            const QDate& today) {
    QSqlQuery update(connection);
    namespace job = columns::jobSearch;
    if (!update.prepare(QStringLiteral("UPDATE %1 SET %2 = %3, %4 = ? WHERE %5 = ?")
                            .arg(tables::jobSearch, job::active,
                                 columnOf(job::active).parameterSql(), job::activeChanged,
                                 job::refnum)))
        throw DatabaseError(update.lastError().text());
    update.addBindValue(statusText(active));
    update.addBindValue(QDateTime(today, QTime()));
    update.addBindValue(refnum);
    if (!update.exec())
        throw DatabaseError(update.lastError().text());
    return update.numRowsAffected();
}

int setChainActiveStatus(const QSqlDatabase& connection, double refnum, bool active,
                         const QDate& today) {
    int changed = 0;
    inTransaction(connection,
                  [&] { changed = updateChainActiveStatus(connection, refnum, active, today); });
    return changed;
}

}  // namespace job_search
