#include "jobsearch/job_search_rules.h"

#include "datastore/field_text.h"
#include "datastore/schema.h"
#include "platform/database_error.h"
#include "platform/transaction.h"

#include <QSqlError>
#include <QSqlQuery>

namespace job_search {

namespace {

const QString kTable = QStringLiteral("JSEARCH_4");

// The columns a follow-up carries on from the record it follows.
const QStringList kContinuedColumns = {"POS_CITY",  "COMMENT",   "CONTACT_NAME", "EMAIL",
                                       "ITEM_FILE", "POS_TYPE",  "POS_TITLE",    "REASON_NO_SUBMIT",
                                       "POS_STATE", "SUBMITTED", "TIME_"};

const schema::Column& columnOf(const QString& name) {
    return *schema::table(kTable).column(name);
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

std::optional<std::vector<std::pair<QString, QVariant>>> followupOf(const QSqlRecord& followed,
                                                                    const QDate& today) {
    const QVariant refnum = followed.value(QStringLiteral("REFNUM"));
    if (refnum.isNull() || refnum.toString().trimmed().isEmpty())
        return std::nullopt;
    std::vector<std::pair<QString, QVariant>> values{
        {QStringLiteral("REFNUM"), refnum.toDouble()},
        {QStringLiteral("DATE_"), QDateTime(today, QTime())},
        {QStringLiteral("MEMO"), QByteArray()}};
    for (const QString& column : kContinuedColumns)
        values.emplace_back(column,
                            field_text::fromValue(columnOf(column), followed.value(column)));
    return values;
}

int setChainActiveStatus(const QSqlDatabase& connection, double refnum, bool active,
                         const QDate& today) {
    int changed = 0;
    inTransaction(connection, [&] {
        QSqlQuery update(connection);
        if (!update.prepare(QStringLiteral("UPDATE JSEARCH_4 SET ACTIVE_ = %1, ACTIVE_CHANGED = ? "
                                           "WHERE REFNUM = ?")
                                .arg(columnOf(QStringLiteral("ACTIVE_")).parameterSql())))
            throw DatabaseError(update.lastError().text());
        update.addBindValue(statusText(active));
        update.addBindValue(QDateTime(today, QTime()));
        update.addBindValue(refnum);
        if (!update.exec())
            throw DatabaseError(update.lastError().text());
        changed = update.numRowsAffected();
    });
    return changed;
}

}  // namespace job_search
