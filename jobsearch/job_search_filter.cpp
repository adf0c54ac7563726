#include "jobsearch/job_search_filter.h"

#include "datastore/schema.h"
#include "datastore/table_names.h"
#include "platform/kbx.h"

namespace {

namespace job = columns::jobSearch;

const schema::Column& columnOf(const QString& name) {
    return *schema::table(tables::jobSearch).column(name);
}

// A status column read as a boolean, as the form reads it: true when the
// text begins with T, t, Y or y.
QString statusCondition(const QString& column, JobSearchFilter::Status status) {
    const QString firstLetter = QStringLiteral("UPPER(SUBSTRING(%1 FROM 1 FOR 1))").arg(column);
    if (status == JobSearchFilter::Status::True)
        return firstLetter + QStringLiteral(" IN ('T', 'Y')");
    return QStringLiteral("COALESCE(%1, '') NOT IN ('T', 'Y')").arg(firstLetter);
}

QString statusWord(JobSearchFilter::Status status) {
    return status == JobSearchFilter::Status::True ? QStringLiteral("TRUE")
                                                   : QStringLiteral("FALSE");
}

}  // namespace

bool JobSearchFilter::isEmpty() const {
    return !from.isValid() && !to.isValid() && state.isEmpty() && city.isEmpty() &&
           contact.isEmpty() && title.isEmpty() && submitted == Status::Any &&
           active == Status::Any;
}

SqlCondition JobSearchFilter::condition() const {
    SqlCondition condition = dateBetween(job::date, from, to);
    if (!state.isEmpty())
        condition.andAlso(
            {QStringLiteral("%1 = %2").arg(job::posState, columnOf(job::posState).parameterSql()),
             {state}});
    const std::pair<QString, const QString*> texts[] = {
        {job::posCity, &city}, {job::contactName, &contact}, {job::posTitle, &title}};
    for (const auto& [column, text] : texts)
        if (!text->isEmpty())
            condition.andAlso(
                {column + QStringLiteral(" CONTAINING ") + columnOf(column).parameterSql(),
                 {*text}});
    if (submitted != Status::Any)
        condition.andAlso({statusCondition(job::submitted, submitted)});
    if (active != Status::Any)
        condition.andAlso({statusCondition(job::active, active)});
    return condition;
}

QString JobSearchFilter::description() const {
    QStringList parts;
    if (from.isValid())
        parts.append(QStringLiteral("FROM ") + kbx::short_date_text(from));
    if (to.isValid())
        parts.append(QStringLiteral("TO ") + kbx::short_date_text(to));
    if (!state.isEmpty())
        parts.append(QStringLiteral("STATE ") + state);
    if (!city.isEmpty())
        parts.append(QStringLiteral("CITY contains \"%1\"").arg(city));
    if (!contact.isEmpty())
        parts.append(QStringLiteral("CONTACT contains \"%1\"").arg(contact));
    if (!title.isEmpty())
        parts.append(QStringLiteral("TITLE contains \"%1\"").arg(title));
    if (submitted != Status::Any)
        parts.append(QStringLiteral("SUBMITTED ") + statusWord(submitted));
    if (active != Status::Any)
        parts.append(QStringLiteral("ACTIVE ") + statusWord(active));
    return parts.join(QStringLiteral(", "));
}
