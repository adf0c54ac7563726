#include "importing/import_run.h"

#include "datastore/schema.h"
#include "datastore/table_names.h"
#include "importing/mail_text.h"
#include "jobsearch/job_search_rules.h"
#include "platform/database_error.h"
#include "platform/kbx.h"

#include <QSqlError>

namespace {

namespace job = columns::jobSearch;

const schema::Column& jobColumn(const QString& name) {
    return *schema::table(tables::jobSearch).column(name);
}

const schema::Column& cityColumn() {
    return *schema::table(tables::cities).column(columns::cities::city);
}

// Text cut to the width of its column, as every stored text is. A value not
// given leaves its column null.
QVariant fitted(const QString& column, const QVariant& value) {
    const schema::Column& definition = jobColumn(column);
    if (!value.isValid() || !definition.isText())
        return value;
    const QString text = value.toString().left(definition.size);
    return text.isNull() ? QStringLiteral("") : text;  // empty text is stored, not null
}

void prepare(QSqlQuery& query, const QString& statement) {
    if (!query.prepare(statement))
        throw DatabaseError(query.lastError().text());
}

void execute(QSqlQuery& query) {
    if (!query.exec())
        throw DatabaseError(query.lastError().text());
}

}  // namespace

const QStringList& importedJobColumns() {
    static const QStringList columns = {job::pk,
                                        job::refnum,
                                        job::date,
                                        job::yyyymmdd,
                                        job::time,
                                        job::contactName,
                                        job::email,
                                        job::active,
                                        job::posType,
                                        job::posCity,
                                        job::posState,
                                        job::posTitle,
                                        job::posTitleOriginal,
                                        job::submitted,
                                        job::reasonNoSubmit,
                                        job::itemFile,
                                        job::comment};
    return columns;
}

ImportRun::ImportRun(const QSqlDatabase& connection)
    : connection_(connection),
      insertJob_(connection),
      insertCity_(connection),
      referenceNumber_(job_search::storedNumber(kbx::_kbx_refnum_from_tdatetime())) {
    QStringList parameters;
    for (const QString& column : importedJobColumns())
        parameters.append(jobColumn(column).parameterSql());
    prepare(insertJob_, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(tables::jobSearch, importedJobColumns().join(QStringLiteral(", ")),
                                 parameters.join(QStringLiteral(", "))));
    const schema::Column& city = cityColumn();
    prepare(insertCity_, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                             .arg(tables::cities, city.name, city.parameterSql()));
    loadCities();
}

void ImportRun::loadCities() {
    QSqlQuery query(connection_);
    query.setForwardOnly(true);
    prepare(query,
            QStringLiteral("SELECT %1 FROM %2").arg(cityColumn().selectSql(), tables::cities));
    execute(query);
    while (query.next())
        cities_.insert(mail_text::upper(mail_text::trim(query.value(0).toString())));
}

// Each record takes the number before it plus 1e-10, kept as its decimal
// text of 15 significant digits.
double ImportRun::nextReferenceNumber() {
    referenceNumber_ = job_search::storedNumber(referenceNumber_ + 1e-10);
    return referenceNumber_;
}

// A city new to the pick list is added to it. An error there is ignored, as
// it always was: the job is recorded all the same.
QString ImportRun::cityOnPickList(const QString& city) {
    const QString listed = mail_text::upper(mail_text::trim(city)).replace('\'', ' ');
    const QString stored = listed.left(50);
    if (!cities_.contains(mail_text::trim(stored))) {
        insertCity_.bindValue(0, stored);
        if (insertCity_.exec())
            cities_.insert(mail_text::trim(stored));
    }
    return listed;
}

void ImportRun::addRecord(const ImportedJob& job) {
    const QDate date = mail_text::monthDayYear(job.dateText);
    if (!date.isValid())
        throw ImportError(job.dateLine > 0
                              ? QStringLiteral("The date \"%1\" of line %2 is not a date.")
                                    .arg(job.dateText)
                                    .arg(job.dateLine)
                              : QStringLiteral("There is no date before this line."));
    const double key = nextReferenceNumber();
    const QString city = job.cityFromPickList ? cityOnPickList(job.city) : job.city;
    const QVariant values[] = {key,
                               key,
                               QDateTime(date, QTime()),
                               kbx::_kbx_Date_To_YYYYMMDD(QDateTime(date, QTime())),
                               QStringLiteral("00:00"),
                               job.contactName,
                               job.email,
                               job.active,
                               QStringLiteral("MU"),
                               city,
                               mail_text::upper(mail_text::trim(job.state)),
                               mail_text::upper(job.title),
                               job.title,
                               job.submitted,
                               job.reason,
                               job.itemFile,
                               job.comment};
    for (int column = 0; column < importedJobColumns().size(); ++column)
        insertJob_.bindValue(column, fitted(importedJobColumns()[column], values[column]));
    execute(insertJob_);
    if (records_ == 0)
        firstKey_ = key;
    lastKey_ = key;
    ++records_;
}
