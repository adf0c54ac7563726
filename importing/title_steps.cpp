#include "importing/title_steps.h"

#include "datastore/record_history.h"

#include "datastore/schema.h"
#include "datastore/table_names.h"
#include "importing/mail_text.h"
#include "platform/database_error.h"
#include "platform/transaction.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

#include <optional>
#include <utility>
#include <vector>

namespace title_steps {

namespace {

namespace job = columns::jobSearch;
namespace edits = columns::titleEdits;
namespace stats = columns::titleStatistics;

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

std::vector<QVariantList> readQuery(const QSqlDatabase& connection, const QString& sql,
                                    int valuesPerRow) {
    QSqlQuery query = prepared(connection, sql);
    query.setForwardOnly(true);
    execute(query);
    std::vector<QVariantList> rows;
    while (query.next()) {
        QVariantList row;
        for (int value = 0; value < valuesPerRow; ++value)
            row.append(query.value(value));
        rows.push_back(row);
    }
    return rows;
}

QString selectList(const QString& table, const QStringList& columns) {
    QStringList selected;
    for (const QString& column : columns)
        selected.append(columnOf(table, column).selectSql());
    return selected.join(", ");
}

// The rows of a table in its order, the named columns of each; text as the
// program reads it.
std::vector<QVariantList> readRows(const QSqlDatabase& connection, const QString& table,
                                   const QStringList& columns, const QStringList& order) {
    return readQuery(connection,
                     QStringLiteral("SELECT %1 FROM %2 ORDER BY %3")
                         .arg(selectList(table, columns), table, order.join(", ")),
                     int(columns.size()));
}

// Each distinct combination of the named job columns once, with the number
// of job records holding it as its last value. The database groups the
// records, so a few hundred rows travel instead of every job record.
std::vector<QVariantList> jobTallies(const QSqlDatabase& connection, const QStringList& columns) {
    const QString grouped = columns.join(", ");
    return readQuery(connection,
                     QStringLiteral("SELECT %1, RECORDS FROM (SELECT %2, COUNT(*) AS RECORDS FROM "
                                    "%3 GROUP BY %2)")
                         .arg(selectList(tables::jobSearch, columns), grouped, tables::jobSearch),
                     int(columns.size()) + 1);
}

struct JobValues {
    QStringList distinct;
    int records = 0;
};

JobValues jobValues(const QSqlDatabase& connection, const QString& column) {
    JobValues values;
    for (const QVariantList& tally : jobTallies(connection, {column})) {
        values.distinct.append(tally[0].toString());
        values.records += tally[1].toInt();
    }
    return values;
}

// The find-or-add scan over a whole list of keys at once: each key not yet
// in the target column (in key form) is added, with `extra` further values.
int addMissing(const QSqlDatabase& connection, const QString& table, const QString& column,
               const QStringList& keys, const QStringList& extraColumns = {},
               const QVariantList& extraValues = {}) {
    QSet<QString> present;
    for (const QVariantList& row : readRows(connection, table, {column}, {column}))
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

// Writes one column of many job records, a block of records per statement:
// a statement per record costs more in round trips than the update itself.
class JobColumnUpdate {
public:
    JobColumnUpdate(const QSqlDatabase& connection, const QString& column)
        : connection_(connection), column_(columnOf(tables::jobSearch, column)) {}

    void add(const QString& value, const QVariant& key) {
        pending_.emplace_back(value, key);
        if (int(pending_.size()) == kBlock)
            run(fullBlock_);
    }

    // Writes the records still waiting; the update is incomplete without it.
    void finish() {
        std::optional<QSqlQuery> lastBlock;
        if (!pending_.empty())
            run(lastBlock);
    }

private:
    // Firebird allows 256 table contexts in one statement, and each update
    // takes two.
    static constexpr int kBlock = 100;

    QString blockSql(int records) const {
        QStringList parameters;
        QStringList updates;
        const QString type = QStringLiteral("VARCHAR(%1) CHARACTER SET UTF8").arg(column_.size);
        for (int record = 0; record < records; ++record) {
            parameters.append(
                QStringLiteral("V%1 %2 = ?, K%1 DOUBLE PRECISION = ?").arg(record).arg(type));
            updates.append(QStringLiteral("UPDATE %1 SET %2 = CAST(:V%3 AS VARCHAR(%4) "
                                          "CHARACTER SET WIN1252) WHERE %5 = :K%3;")
                               .arg(tables::jobSearch, column_.name, QString::number(record),
                                    QString::number(column_.size), job::pk));
        }
        return QStringLiteral("EXECUTE BLOCK (%1) AS BEGIN %2 END")
            .arg(parameters.join(", "), updates.join(" "));
    }

    void run(std::optional<QSqlQuery>& statement) {
        if (!statement)
            statement = prepared(connection_, blockSql(int(pending_.size())));
        for (int record = 0; record < int(pending_.size()); ++record) {
            statement->bindValue(2 * record, pending_[record].first);
            statement->bindValue(2 * record + 1, pending_[record].second);
        }
        execute(*statement);
        pending_.clear();
    }

    QSqlDatabase connection_;
    const schema::Column& column_;
    std::vector<std::pair<QString, QVariant>> pending_;
    std::optional<QSqlQuery> fullBlock_;
};

QString counted(int records) {
    return QString::number(records);
}

// Step 1: every distinct title of the job records gets an edits row.
Report collectTitles(const QSqlDatabase& connection) {
    const JobValues titles = jobValues(connection, job::posTitle);
    addMissing(connection, tables::titleEdits, edits::changeFrom, titles.distinct,
               {edits::changeTo}, {kNewEntry});
    return {counted(titles.records), {}};
}

std::vector<QVariantList> editsRows(const QSqlDatabase& connection) {
    return readRows(connection, tables::titleEdits,
                    {edits::changeFrom, edits::changeTo, edits::reasonNoSubmit},
                    {edits::changeFrom});
}

// The first edits row, in table order, for each key form of a column.
QHash<QString, QVariantList> firstEditsBy(const std::vector<QVariantList>& edits,
                                          const QString& column, const QString& targetTable,
                                          const QString& targetColumn) {
    QHash<QString, QVariantList> first;
    for (const QVariantList& row : edits) {
        const QString text = row[column == edits::changeFrom ? 0 : 1].toString();
        const QString key =
            targetTable.isEmpty() ? keyForm(text) : keyFor(targetTable, targetColumn, text);
        // A row without a reason gives none: the next row with the same
        // key may (reasons only).
        if (column == edits::changeTo && keyForm(row[2].toString()).isEmpty())
            continue;
        if (!first.contains(key))
            first.insert(key, row);
    }
    return first;
}

// Step 3: each job title becomes the normalised title of its edits row,
// unless that row still waits for the user.
// What a step changed in the job search records, for its one history entry.
struct RecordsChanged {
    int records = 0;
    std::vector<record_history::Change> titles;  // each title replaced, with how often
};

Report replaceTitles(const QSqlDatabase& connection, RecordsChanged& changed) {
    const QHash<QString, QVariantList> edits =
        firstEditsBy(editsRows(connection), edits::changeFrom, QString(), QString());
    QHash<QString, QString> replacements;
    int records = 0;
    for (const QVariantList& tally : jobTallies(connection, {job::posTitle})) {
        records += tally[1].toInt();
        const auto found = edits.constFind(keyForm(tally[0].toString()));
        if (found == edits.constEnd())
            continue;
        const QString normalised = keyForm(found->at(1).toString());
        if (normalised.isEmpty() || normalised == kNewEntry)
            continue;
        const QString stored = normalised.left(columnOf(tables::jobSearch, job::posTitle).size);
        const QString title = mail_text::unpadded(tally[0]);
        if (stored != title)
            replacements.insert(title, stored);
    }
    if (!replacements.isEmpty()) {
        JobColumnUpdate update(connection, job::posTitle);
        QMap<QString, int> replaced;
        for (const QVariantList& job :
             readRows(connection, tables::jobSearch, {job::pk, job::posTitle}, {job::pk})) {
            const QString title = mail_text::unpadded(job[1]);
            const auto replacement = replacements.constFind(title);
            if (replacement == replacements.constEnd())
                continue;
            update.add(*replacement, job[0]);
            ++replaced[title];
        }
        update.finish();
        for (auto title = replaced.cbegin(); title != replaced.cend(); ++title) {
            changed.records += title.value();
            changed.titles.push_back(
                {QStringLiteral("%1 (%2 RECORDS)").arg(job::posTitle).arg(title.value()),
                 title.key(), replacements.value(title.key())});
        }
    }
    return {counted(records), {}};
}

Report refreshPickList(const QSqlDatabase& connection, const QString& jobColumnName,
                       const QString& table, const QString& column) {
    const JobValues values = jobValues(connection, jobColumnName);
    addMissing(connection, table, column, values.distinct);
    return {counted(values.records), {}};
}

// Step 5: every title not yet a category becomes one, waiting for its reason.
Report addCategories(const QSqlDatabase& connection, const QDate& today) {
    const JobValues titles = jobValues(connection, job::posTitle);
    addMissing(
        connection, tables::titleStatistics, stats::category, titles.distinct,
        {stats::order, stats::count, stats::percentage, stats::reasonNotSubmitted, stats::asOfDate},
        {1, 0, 0, kNewEntry, QDateTime(today, QTime())});
    return {counted(titles.records), {}};
}

// Step 6: the reasons list is made again from the reasons the jobs give.
Report rebuildReasons(const QSqlDatabase& connection) {
    QSqlQuery empty = prepared(connection, QStringLiteral("DELETE FROM %1").arg(tables::reasons));
    execute(empty);
    return refreshPickList(connection, job::reasonNoSubmit, tables::reasons,
                           columns::reasons::reason);
}

// Step 9: each category takes the reason of the first edits row that
// normalises to it and has one.
Report categoryReasons(const QSqlDatabase& connection) {
    const std::vector<QVariantList> editsTable = editsRows(connection);
    const QHash<QString, QVariantList> edits =
        firstEditsBy(editsTable, edits::changeTo, tables::titleStatistics, stats::category);
    QSqlQuery update = prepared(
        connection,
        QStringLiteral("UPDATE %1 SET %2 = %3 WHERE %4 = ? AND %5 = %6")
            .arg(tables::titleStatistics, stats::reasonNotSubmitted,
                 columnOf(tables::titleStatistics, stats::reasonNotSubmitted).parameterSql(),
                 stats::order, stats::category,
                 columnOf(tables::titleStatistics, stats::category).parameterSql()));
    const auto statistics = readRows(connection, tables::titleStatistics,
                                     {stats::order, stats::category, stats::reasonNotSubmitted},
                                     {stats::order, stats::category});
    for (const QVariantList& row : statistics) {
        const auto found = edits.constFind(keyForm(row[1].toString()));
        if (found == edits.constEnd())
            continue;
        const QString reason =
            keyForm(found->at(2).toString())
                .left(columnOf(tables::titleStatistics, stats::reasonNotSubmitted).size);
        if (!row[2].isNull() && mail_text::unpadded(row[2]) == reason)
            continue;
        update.bindValue(0, reason);
        update.bindValue(1, row[0]);
        update.bindValue(2, row[1]);
        execute(update);
    }
    return {QStringLiteral("Current Record In Job Stats Table: %1").arg(statistics.size()),
            QStringLiteral("Current Record In Job Search Table: %1").arg(editsTable.size())};
}

// Step 10: each job counts once, under the first category its title
// contains; a title is matched once however many jobs carry it.
Report recountCategories(const QSqlDatabase& connection, const QDate& today) {
    const auto titles = jobTallies(connection, {job::posTitle});
    const auto statistics =
        readRows(connection, tables::titleStatistics, {stats::order, stats::category},
                 {stats::order, stats::category});
    QStringList categories;
    for (const QVariantList& row : statistics)
        categories.append(keyForm(row[1].toString()));
    std::vector<int> counts(statistics.size(), 0);
    QHash<QString, int> categoryOfTitle;
    int total = 0;
    for (const QVariantList& tally : titles) {
        const int records = tally[1].toInt();
        total += records;
        const QString key = keyForm(tally[0].toString());
        auto found = categoryOfTitle.constFind(key);
        if (found == categoryOfTitle.constEnd()) {
            int first = -1;
            for (int category = 0; category < categories.size() && first < 0; ++category)
                if (!categories[category].isEmpty() && key.contains(categories[category]))
                    first = category;
            found = categoryOfTitle.insert(key, first);
        }
        if (*found >= 0)
            counts[*found] += records;
    }
    QSqlQuery update = prepared(
        connection, QStringLiteral("UPDATE %1 SET %2 = ?, %3 = ?, %4 = ? WHERE %5 = ? AND %6 = %7")
                        .arg(tables::titleStatistics, stats::count, stats::percentage,
                             stats::asOfDate, stats::order, stats::category,
                             columnOf(tables::titleStatistics, stats::category).parameterSql()));
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

// Step 11's rule: a job takes the reason of the first edits row whose
// normalised title is its title and which has one, unless its application
// was submitted: a reason for not submitting would be false there.
class JobReasonRule {
public:
    explicit JobReasonRule(const QSqlDatabase& connection)
        : edits_(firstEditsBy(editsRows(connection), edits::changeTo, tables::jobSearch,
                              job::posTitle)) {}

    static QStringList columns() { return {job::posTitle, job::reasonNoSubmit, job::submitted}; }

    // The reason a job is to take, its columns() being the row's values from
    // `first` on; nothing when it keeps its own.
    std::optional<QString> newReason(const QVariantList& job, int first) const {
        if (keyForm(job[first + 2].toString()) == QLatin1String("TRUE"))
            return std::nullopt;
        const auto found = edits_.constFind(keyForm(job[first].toString()));
        if (found == edits_.constEnd())
            return std::nullopt;
        const QString reason = keyForm(found->at(2).toString());
        const QVariant& stored = job[first + 1];
        if (!stored.isNull() && mail_text::unpadded(stored) == reason)
            return std::nullopt;
        return reason;
    }

private:
    QHash<QString, QVariantList> edits_;
};

struct JobReasonCount {
    int records = 0;
    int toChange = 0;
};

JobReasonCount countJobReasons(const QSqlDatabase& connection, const JobReasonRule& rule) {
    JobReasonCount count;
    for (const QVariantList& tally : jobTallies(connection, JobReasonRule::columns())) {
        const int records = tally[3].toInt();
        count.records += records;
        if (rule.newReason(tally, 0))
            count.toChange += records;
    }
    return count;
}

// The one entry of a step that changed job search records: how many, and
// for the titles each title replaced with how often.
void writeHistory(const QSqlDatabase& connection, int step, const RecordsChanged& changed) {
    std::vector<record_history::Change> lines = {
        {QStringLiteral("RECORDS CHANGED"), QString(), QString::number(changed.records)}};
    lines.insert(lines.end(), changed.titles.begin(), changed.titles.end());
    record_history::appendEntry(connection, {tables::jobSearch, QString(), record_history::kChanged,
                                             QStringLiteral("TITLE STEP %1").arg(step),
                                             record_history::changesText(lines)});
}

Report jobReasons(const QSqlDatabase& connection, RecordsChanged& changed) {
    const JobReasonRule rule(connection);
    const JobReasonCount count = countJobReasons(connection, rule);
    if (count.toChange > 0) {
        JobColumnUpdate update(connection, job::reasonNoSubmit);
        for (const QVariantList& job :
             readRows(connection, tables::jobSearch,
                      QStringList{job::pk} + JobReasonRule::columns(), {job::pk})) {
            if (const std::optional<QString> reason = rule.newReason(job, 1)) {
                update.add(*reason, job[0]);
                ++changed.records;
            }
        }
        update.finish();
    }
    return {QStringLiteral("%1 of %1").arg(count.records),
            QStringLiteral("%1 records changed").arg(changed.records)};
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

int jobReasonsToChange(const QSqlDatabase& connection) {
    return countJobReasons(connection, JobReasonRule(connection)).toChange;
}

Report runStep(int step, const QSqlDatabase& connection, const QDate& today) {
    Report report;
    RecordsChanged changed;
    inTransaction(connection, [&] {
        switch (step) {
            case 1:
                report = collectTitles(connection);
                break;
            case 3:
                report = replaceTitles(connection, changed);
                break;
            case 4:
                report = refreshPickList(connection, job::posTitle, tables::positionTitles,
                                         columns::positionTitles::posTitle);
                break;
            case 5:
                report = addCategories(connection, today);
                break;
            case 6:
                report = rebuildReasons(connection);
                break;
            case 7:
                report = refreshPickList(connection, job::posCity, tables::cities,
                                         columns::cities::city);
                break;
            case 8:
                report = refreshPickList(connection, job::contactName, tables::contactNames,
                                         columns::contactNames::contactName);
                break;
            case 9:
                report = categoryReasons(connection);
                break;
            case 10:
                report = recountCategories(connection, today);
                break;
            case 11:
                report = jobReasons(connection, changed);
                break;
            default:
                throw DatabaseError(QStringLiteral("There is no step %1.").arg(step));
        }
        if (changed.records > 0)
            writeHistory(connection, step, changed);
    });
    return report;
}

}  // namespace title_steps
