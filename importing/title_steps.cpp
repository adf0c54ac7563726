#include "importing/title_steps.h"

#include "datastore/schema.h"
#include "importing/mail_text.h"
#include "platform/database_error.h"
#include "platform/transaction.h"

#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

#include <vector>

namespace title_steps {

namespace {

const schema::Column& columnOf(const QString& table, const QString& column) {
    return *schema::table(table).column(column);
}

// A key as a column holds it: cut to the column's width, and without the
// blanks the cut may leave at its end, so that a long key finds the row it
// made.
QString keyFor(const QString& table, const QString& column, const QString& text) {
    const QString key = keyForm(text).left(columnOf(table, column).size);
    return mail_text::trim(key);
}

QSqlQuery prepared(const QSqlDatabase& connection, const QString& statement) {
    QSqlQuery query(connection);
    if (!query.prepare(statement))
        throw DatabaseError(query.lastError().text());
    return query;
}

void execute(QSqlQuery& query) {
    if (!query.exec())
        throw DatabaseError(query.lastError().text());
}

// The rows of a table in its order, the named columns of each; text as the
// program reads it.
std::vector<QVariantList> readRows(const QSqlDatabase& connection, const QString& table,
                                   const QStringList& columns, const QString& order) {
    QStringList selected;
    for (const QString& column : columns)
        selected.append(columnOf(table, column).selectSql());
    QSqlQuery query = prepared(
        connection,
        QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(selected.join(", "), table, order));
    query.setForwardOnly(true);
    execute(query);
    std::vector<QVariantList> rows;
    while (query.next()) {
        QVariantList row;
        for (int column = 0; column < columns.size(); ++column)
            row.append(query.value(column));
        rows.push_back(row);
    }
    return rows;
}

QStringList jobColumn(const QSqlDatabase& connection, const QString& column) {
    QStringList values;
    for (const QVariantList& row : readRows(connection, "JSEARCH_4", {column}, "PK"))
        values.append(row[0].toString());
    return values;
}

// The find-or-add scan over a whole list of keys at once: each key not yet
// in the target column (in key form) is added, with `extra` further values.
int addMissing(const QSqlDatabase& connection, const QString& table, const QString& column,
               const QStringList& keys, const QStringList& extraColumns = {},
               const QVariantList& extraValues = {}) {
    QSet<QString> present;
    for (const QVariantList& row : readRows(connection, table, {column}, column))
        present.insert(keyForm(row[0].toString()));
    QStringList columns{column};
    QStringList parameters{columnOf(table, column).parameterSql()};
    for (const QString& extra : extraColumns) {
        columns.append(extra);
        parameters.append(columnOf(table, extra).parameterSql());
    }
    QSqlQuery insert =
        prepared(connection, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                 .arg(table, columns.join(", "), parameters.join(", ")));
    int added = 0;
    for (const QString& text : keys) {
        const QString key = keyFor(table, column, text);
        if (key.isEmpty() || present.contains(key))
            continue;
        insert.bindValue(0, key);
        for (int extra = 0; extra < extraValues.size(); ++extra)
            insert.bindValue(extra + 1, extraValues[extra]);
        execute(insert);
        present.insert(key);
        ++added;
    }
    return added;
}

QString counted(int records) {
    return QString::number(records);
}

// Step 1: every distinct title of the job records gets an edits row.
Report collectTitles(const QSqlDatabase& connection) {
    const QStringList titles = jobColumn(connection, "POS_TITLE");
    addMissing(connection, "JS_EDIT_4", "CHANGE_FROM", titles, {"CHANGE_TO"}, {kNewEntry});
    return {counted(titles.size()), {}};
}

// The first edits row, in table order, for each key form of a column.
QHash<QString, QVariantList> firstEditsBy(const QSqlDatabase& connection, const QString& column,
                                          const QString& targetTable, const QString& targetColumn) {
    QHash<QString, QVariantList> first;
    for (const QVariantList& row :
         readRows(connection, "JS_EDIT_4", {"CHANGE_FROM", "CHANGE_TO", "REASON_NO_SUBMIT"},
                  "CHANGE_FROM")) {
        const QString text = row[column == "CHANGE_FROM" ? 0 : 1].toString();
        const QString key =
            targetTable.isEmpty() ? keyForm(text) : keyFor(targetTable, targetColumn, text);
        // A row without a reason gives none: the next row with the same
        // key may (reasons only).
        if (column == "CHANGE_TO" && keyForm(row[2].toString()).isEmpty())
            continue;
        if (!first.contains(key))
            first.insert(key, row);
    }
    return first;
}

// Step 3: each job title becomes the normalised title of its edits row,
// unless that row still waits for the user.
Report replaceTitles(const QSqlDatabase& connection) {
    const QHash<QString, QVariantList> edits =
        firstEditsBy(connection, "CHANGE_FROM", QString(), QString());
    QSqlQuery update =
        prepared(connection, QStringLiteral("UPDATE JSEARCH_4 SET POS_TITLE = %1 WHERE PK = ?")
                                 .arg(columnOf("JSEARCH_4", "POS_TITLE").parameterSql()));
    const auto jobs = readRows(connection, "JSEARCH_4", {"PK", "POS_TITLE"}, "PK");
    for (const QVariantList& job : jobs) {
        const auto found = edits.constFind(keyForm(job[1].toString()));
        if (found == edits.constEnd())
            continue;
        const QString normalised = keyForm(found->at(1).toString());
        if (normalised.isEmpty() || normalised == kNewEntry)
            continue;
        const QString stored = normalised.left(columnOf("JSEARCH_4", "POS_TITLE").size);
        if (stored == mail_text::unpadded(job[1]))
            continue;
        update.bindValue(0, stored);
        update.bindValue(1, job[0]);
        execute(update);
    }
    return {counted(int(jobs.size())), {}};
}

Report refreshPickList(const QSqlDatabase& connection, const QString& jobColumnName,
                       const QString& table, const QString& column) {
    const QStringList values = jobColumn(connection, jobColumnName);
    addMissing(connection, table, column, values);
    return {counted(values.size()), {}};
}

// Step 5: every title not yet a category becomes one, waiting for its reason.
Report addCategories(const QSqlDatabase& connection, const QDate& today) {
    const QStringList titles = jobColumn(connection, "POS_TITLE");
    addMissing(connection, "STATS_JT_4", "CATEGORY", titles,
               {"ORDER_", "COUNT_", "PERCENTAGE", "REASON_NOT_SUBMITTED", "AS_OF_DATE"},
               {1, 0, 0, kNewEntry, QDateTime(today, QTime())});
    return {counted(titles.size()), {}};
}

// Step 6: the reasons list is made again from the reasons the jobs give.
Report rebuildReasons(const QSqlDatabase& connection) {
    QSqlQuery empty = prepared(connection, QStringLiteral("DELETE FROM REASON_4"));
    execute(empty);
    return refreshPickList(connection, "REASON_NO_SUBMIT", "REASON_4", "REASON");
}

// Step 9: each category takes the reason of the first edits row that
// normalises to it and has one.
Report categoryReasons(const QSqlDatabase& connection) {
    const QHash<QString, QVariantList> edits =
        firstEditsBy(connection, "CHANGE_TO", "STATS_JT_4", "CATEGORY");
    QSqlQuery update = prepared(
        connection,
        QStringLiteral("UPDATE STATS_JT_4 SET REASON_NOT_SUBMITTED = %1 WHERE ORDER_ = ? AND "
                       "CATEGORY = %2")
            .arg(columnOf("STATS_JT_4", "REASON_NOT_SUBMITTED").parameterSql(),
                 columnOf("STATS_JT_4", "CATEGORY").parameterSql()));
    const auto statistics =
        readRows(connection, "STATS_JT_4", {"ORDER_", "CATEGORY"}, "ORDER_, CATEGORY");
    for (const QVariantList& row : statistics) {
        const auto found = edits.constFind(keyForm(row[1].toString()));
        if (found == edits.constEnd())
            continue;
        update.bindValue(0, keyForm(found->at(2).toString())
                                .left(columnOf("STATS_JT_4", "REASON_NOT_SUBMITTED").size));
        update.bindValue(1, row[0]);
        update.bindValue(2, row[1]);
        execute(update);
    }
    return {QStringLiteral("Current Record In Job Stats Table: %1").arg(statistics.size()),
            QStringLiteral("Current Record In Job Search Table: %1")
                .arg(readRows(connection, "JS_EDIT_4", {"CHANGE_FROM"}, "CHANGE_FROM").size())};
}

// Step 10: each job counts once, under the first category its title
// contains; a title is matched once however many jobs carry it.
Report recountCategories(const QSqlDatabase& connection, const QDate& today) {
    const QStringList titles = jobColumn(connection, "POS_TITLE");
    const auto statistics =
        readRows(connection, "STATS_JT_4", {"ORDER_", "CATEGORY"}, "ORDER_, CATEGORY");
    QStringList categories;
    for (const QVariantList& row : statistics)
        categories.append(keyForm(row[1].toString()));
    std::vector<int> counts(statistics.size(), 0);
    QHash<QString, int> categoryOfTitle;
    for (const QString& title : titles) {
        const QString key = keyForm(title);
        auto found = categoryOfTitle.constFind(key);
        if (found == categoryOfTitle.constEnd()) {
            int first = -1;
            for (int category = 0; category < categories.size() && first < 0; ++category)
                if (!categories[category].isEmpty() && key.contains(categories[category]))
                    first = category;
            found = categoryOfTitle.insert(key, first);
        }
        if (*found >= 0)
            ++counts[*found];
    }
    QSqlQuery update =
        prepared(connection, QStringLiteral("UPDATE STATS_JT_4 SET COUNT_ = ?, PERCENTAGE = ?, "
                                            "AS_OF_DATE = ? WHERE ORDER_ = ? AND CATEGORY = %1")
                                 .arg(columnOf("STATS_JT_4", "CATEGORY").parameterSql()));
    const int total = titles.size();
    for (int row = 0; row < int(statistics.size()); ++row) {
        // Single precision, as the percentages always were; no jobs, no share.
        const float percentage = total == 0 ? 0.0f : float(counts[row]) / float(total) * 100.0f;
        update.bindValue(0, counts[row]);
        update.bindValue(1, double(percentage));
        update.bindValue(2, QDateTime(today, QTime()));
        update.bindValue(3, statistics[row][0]);
        update.bindValue(4, statistics[row][1]);
        execute(update);
    }
    return {counted(int(statistics.size())), {}};
}

// Step 11: each job takes the reason of the first edits row whose
// normalised title is its title and which has one.
Report jobReasons(const QSqlDatabase& connection) {
    const QHash<QString, QVariantList> edits =
        firstEditsBy(connection, "CHANGE_TO", "JSEARCH_4", "POS_TITLE");
    QSqlQuery update = prepared(
        connection, QStringLiteral("UPDATE JSEARCH_4 SET REASON_NO_SUBMIT = %1 WHERE PK = ?")
                        .arg(columnOf("JSEARCH_4", "REASON_NO_SUBMIT").parameterSql()));
    const auto jobs =
        readRows(connection, "JSEARCH_4", {"PK", "POS_TITLE", "REASON_NO_SUBMIT"}, "PK");
    for (const QVariantList& job : jobs) {
        const auto found = edits.constFind(keyForm(job[1].toString()));
        if (found == edits.constEnd())
            continue;
        const QString reason = keyForm(found->at(2).toString());
        if (reason == mail_text::unpadded(job[2]) && !job[2].isNull())
            continue;
        update.bindValue(0, reason);
        update.bindValue(1, job[0]);
        execute(update);
    }
    const int total = int(jobs.size());
    return {QStringLiteral("%1 of %1").arg(total), {}};
}

}  // namespace

QString logLine(int step) {
    static const char* const kLines[] = {"(2) Update Job Title  Edits",
                                         "(3) Open Job Title Edits Table",
                                         "(4) Update Job Title",
                                         "(5) Update Position Title Table",
                                         "(6) Update Status Table With New Import Values",
                                         "(7) Update Reason Not Submitted",
                                         "(8) Update City",
                                         "(9) Update Contact Name",
                                         "(10) Update Reason Not Submitted in Stats Table",
                                         "(11) Update Job Title Stats Table",
                                         "(12) Update Job Search Reason Not Submitted"};
    return step >= 1 && step <= 11 ? QString::fromLatin1(kLines[step - 1]) : QString();
}

QString keyForm(const QString& text) {
    return mail_text::upper(mail_text::trim(text));
}

Report runStep(int step, const QSqlDatabase& connection, const QDate& today) {
    Report report;
    inTransaction(connection, [&] {
        switch (step) {
            case 1:
                report = collectTitles(connection);
                break;
            case 3:
                report = replaceTitles(connection);
                break;
            case 4:
                report = refreshPickList(connection, "POS_TITLE", "POSTITLE_4", "POS_TITLE");
                break;
            case 5:
                report = addCategories(connection, today);
                break;
            case 6:
                report = rebuildReasons(connection);
                break;
            case 7:
                report = refreshPickList(connection, "POS_CITY", "CITY_4", "CITY");
                break;
            case 8:
                report =
                    refreshPickList(connection, "CONTACT_NAME", "CONTACT_NAME_4", "CONTACT_NAME");
                break;
            case 9:
                report = categoryReasons(connection);
                break;
            case 10:
                report = recountCategories(connection, today);
                break;
            case 11:
                report = jobReasons(connection);
                break;
            default:
                throw DatabaseError(QStringLiteral("There is no step %1.").arg(step));
        }
    });
    return report;
}

}  // namespace title_steps
