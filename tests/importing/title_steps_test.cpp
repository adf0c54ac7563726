#include "importing/title_steps.h"
#include "tests/support/books_database.h"
#include "tests/support/test_connection.h"
#include "tests/support/test_seed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <tuple>

namespace {

using title_steps::keyForm;
using title_steps::kNewEntry;

// The tables the steps touch, as plain rows in table order. A null text is
// std::nullopt.
using Text = std::optional<QString>;
struct Job {
    double pk;
    Text title, city, contact, reason, submitted;
};
struct Edit {
    QString from;
    Text to, reason;
};
struct Stat {
    int order;
    QString category;
    double count, percentage;
    Text reason;
    QString date;
};
struct Tables {
    std::vector<Job> jobs;
    std::vector<Edit> edits;
    std::vector<Stat> stats;
    std::map<QString, std::vector<QString>> lists;  // pick-list table: its rows
};

QString key(const Text& text) {
    return keyForm(text.value_or(QString()));
}
// A key cut to a column's width, without the blanks the cut leaves.
QString cut(const QString& key, int width) {
    QString part = key.left(width);
    while (part.endsWith(' '))
        part.chop(1);
    return part;
}

// The steps as their description gives them, scan within scan, with the
// decisions taken since: every job from the first, empty keys never added,
// keys cut to their column, a waiting edits row leaves the title, a reason
// only from a row that has one, no division by zero.
void findOrAdd(std::vector<QString>& list, const QString& key) {
    if (key.isEmpty())
        return;
    for (const QString& row : list)
        if (keyForm(row) == key)
            return;
    list.push_back(key);
}

void literalStep(int step, Tables& t, const QString& today) {
    switch (step) {
        case 1:
            for (const Job& job : t.jobs) {
                const QString k = cut(key(job.title), 132);
                bool found = k.isEmpty();
                for (const Edit& edit : t.edits)
                    found = found || keyForm(edit.from) == k;
                if (!found)
                    t.edits.push_back({k, kNewEntry, std::nullopt});
            }
            break;
        case 3:
            for (Job& job : t.jobs)
                for (const Edit& edit : t.edits)
                    if (keyForm(edit.from) == key(job.title)) {
                        const QString to = key(edit.to);
                        if (!to.isEmpty() && to != kNewEntry)
                            job.title = cut(to, 80);  // a CHAR column keeps no end blank
                        break;
                    }
            break;
        case 4:
        case 6:
        case 7:
        case 8: {
            using List = std::tuple<const char*, Text Job::*, int>;  // its column's width
            static const std::map<int, List> kLists = {{4, {"POSTITLE_4", &Job::title, 80}},
                                                       {6, {"REASON_4", &Job::reason, 132}},
                                                       {7, {"CITY_4", &Job::city, 50}},
                                                       {8, {"CONTACT_NAME_4", &Job::contact, 50}}};
            const auto& [list, value, width] = kLists.at(step);
            if (step == 6)
                t.lists[list].clear();
            for (const Job& job : t.jobs)
                findOrAdd(t.lists[list], cut(key(job.*value), width));
            break;
        }
        case 5:
            for (const Job& job : t.jobs) {
                const QString k = cut(key(job.title), 50);
                bool found = k.isEmpty();
                for (const Stat& stat : t.stats)
                    found = found || keyForm(stat.category) == k;
                if (!found)
                    t.stats.push_back({1, k, 0, 0, kNewEntry, today});
            }
            break;
        case 9:
            for (Stat& stat : t.stats)
                for (const Edit& edit : t.edits)
                    if (keyForm(stat.category) == cut(key(edit.to), 50) &&
                        !key(edit.reason).isEmpty()) {
                        stat.reason = cut(key(edit.reason), 80);  // the column holds 80
                        break;
                    }
            break;
        case 10:
            for (Stat& stat : t.stats) {
                stat.count = 0;
                stat.date = today;
            }
            for (const Job& job : t.jobs)
                for (Stat& stat : t.stats)
                    if (!keyForm(stat.category).isEmpty() &&
                        key(job.title).contains(keyForm(stat.category))) {
                        ++stat.count;
                        break;
                    }
            for (Stat& stat : t.stats)
                stat.percentage = t.jobs.empty()
                                      ? 0.0
                                      : double(float(stat.count) / float(t.jobs.size()) * 100.0f);
            break;
        case 11:  // an application submitted keeps its reason
            for (Job& job : t.jobs)
                for (const Edit& edit : t.edits)
                    if (key(job.submitted) != "TRUE" && cut(key(edit.to), 80) == key(job.title) &&
                        !key(edit.reason).isEmpty()) {
                        job.reason = key(edit.reason);
                        break;
                    }
            break;
    }
}

class TitleStepsTest : public ::testing::Test, protected BooksDatabase {
protected:
    Text text(const QString& value) { return value == "<null>" ? Text() : Text(value); }
    // Every row of the tables, in their order, as text; padding dropped.
    Tables read() {
        TestConnection connection(path);  // one for all the queries: opening one takes a while
        Tables t;
        for (const QString& row : connection.rows(
                 "SELECT PK, COALESCE(POS_TITLE, '<null>'), COALESCE(POS_CITY, '<null>'), "
                 "COALESCE(CONTACT_NAME, '<null>'), COALESCE(REASON_NO_SUBMIT, '<null>'), "
                 "COALESCE(SUBMITTED, '<null>') FROM JSEARCH_4 ORDER BY PK")) {
            const QStringList c = row.split('|');
            t.jobs.push_back(
                {c[0].toDouble(), text(c[1]), text(c[2]), text(c[3]), text(c[4]), text(c[5])});
        }
        for (const QString& row : connection.rows(
                 "SELECT CHANGE_FROM, COALESCE(CHANGE_TO, '<null>'), COALESCE(REASON_NO_SUBMIT, "
                 "'<null>') FROM JS_EDIT_4 ORDER BY CHANGE_FROM")) {
            const QStringList c = row.split('|');
            t.edits.push_back({c[0], text(c[1]), text(c[2])});
        }
        for (const QString& row : connection.rows(
                 "SELECT ORDER_, CATEGORY, COUNT_, PERCENTAGE, COALESCE(REASON_NOT_SUBMITTED, "
                 "'<null>'), COALESCE(AS_OF_DATE, '<null>') FROM STATS_JT_4 ORDER BY 1, 2")) {
            const QStringList c = row.split('|');
            t.stats.push_back(
                {c[0].toInt(), c[1], c[2].toDouble(), c[3].toDouble(), text(c[4]), c[5]});
        }
        for (const char* list : {"POSTITLE_4", "REASON_4", "CITY_4", "CONTACT_NAME_4"}) {
            const QStringList values =
                connection.rows(QString("SELECT * FROM %1 ORDER BY 1").arg(list));
            t.lists[list] = std::vector<QString>(values.begin(), values.end());
        }
        return t;
    }
};

QStringList describe(const Tables& t) {
    QStringList lines;
    auto show = [](const Text& value) { return value ? "'" + *value + "'" : QString("null"); };
    for (const Job& job : t.jobs)
        lines << QString("job %1 %2 %3 %4 %5")
                     .arg(QString::number(job.pk), show(job.title), show(job.city),
                          show(job.contact), show(job.reason));
    QStringList edits, stats;
    for (const Edit& edit : t.edits)
        edits << QString("edit '%1' %2 %3").arg(edit.from, show(edit.to), show(edit.reason));
    for (const Stat& stat : t.stats)
        stats << QString("stat %1 '%2' %3 %4 %5 %6")
                     .arg(QString::number(stat.order), stat.category, QString::number(stat.count),
                          QString::number(stat.percentage, 'g', 9), show(stat.reason), stat.date);
    edits.sort();
    stats.sort();
    lines << edits << stats;
    for (const auto& [list, values] : t.lists) {
        QStringList sorted(values.begin(), values.end());
        sorted.sort();
        lines << list + ": " + sorted.join(" / ");
    }
    return lines;
}

const QDate kToday(2026, 12, 6);
const QString kTodayText = "2026-12-06 00:00:00.0000";  // as COALESCE writes it

// Titles with blanks and mixed case, categories inside one another, long
// titles, empty and null values.
QString randomText(QRandomGenerator& random) {
    static const QStringList kWords =
        QString("analyst|DATA ANALYST|data|Senior Data Analyst|engineer|DBA|sr. data analyst||x")
            .split('|');
    QString text = kWords[random.bounded(int(kWords.size()))];
    if (random.bounded(6) == 0)
        text += QString(" WITH A VERY LONG TAIL").repeated(random.bounded(1, 5));
    if (random.bounded(2))
        text = text.toUpper();
    if (random.bounded(4) == 0)
        text = " " + text;
    if (random.bounded(4) == 0)
        text += "  ";
    return text;
}

QString literal(QRandomGenerator& random, int width) {
    return random.bounded(8) == 0 ? "NULL" : "'" + randomText(random).left(width) + "'";
}

const char* const kSubmitted[] = {"'TRUE'", "'FALSE'", "' true'", "NULL"};

class TitleStepsRandomTest : public TitleStepsTest {
protected:
    // The rows are written in blocks: a commit each would take seconds.
    void fill(QRandomGenerator& random, int jobs) {
        QStringList statements;
        for (const char* table : {"JSEARCH_4", "JS_EDIT_4", "STATS_JT_4", "POSTITLE_4", "REASON_4",
                                  "CITY_4", "CONTACT_NAME_4"})
            statements << QString("DELETE FROM %1").arg(table);
        for (int job = 0; job < jobs; ++job)
            statements << (QString("INSERT INTO JSEARCH_4 (PK, POS_TITLE, POS_CITY, CONTACT_NAME, "
                                   "REASON_NO_SUBMIT, SUBMITTED) VALUES (%1, %2, %3, %4, %5, %6)")
                               .arg(QString::number(job + 1), literal(random, 80),
                                    literal(random, 50), literal(random, 50), literal(random, 132),
                                    kSubmitted[random.bounded(int(std::size(kSubmitted)))]));
        QStringList froms;
        for (int edit = 0; edit < 15; ++edit) {
            // Half of them are titles of the jobs, which step 3 then replaces.
            QString from = randomText(random);
            if (random.bounded(2))
                from += QString::number(edit % 7);
            while (from.endsWith(' '))  // a key equal to another but for end blanks
                from.chop(1);
            if (froms.contains(from))
                continue;
            froms << from;
            const QString to =
                random.bounded(5) == 0 ? "'" + kNewEntry + "'" : literal(random, 132);
            statements << QString("INSERT INTO JS_EDIT_4 VALUES ('%1', %2, %3)")
                              .arg(from, to, literal(random, 132));
        }
        const QString stats = "INSERT INTO STATS_JT_4 (ORDER_, CATEGORY, COUNT_, PERCENTAGE) ";
        for (int order = 0; order < 8; ++order)  // the second category is blank: it counts none
            statements << stats + QString("VALUES (%1, '%2%3', 7, 1.5)")
                                      .arg(QString::number(order), QString(order, ' '),
                                           order == 1 ? QString() : randomText(random).left(40));
        statements << "INSERT INTO REASON_4 (REASON) VALUES ('NO LONGER USED')"
                   << "INSERT INTO CITY_4 (CITY) VALUES (' el paso')";
        for (qsizetype first = 0; first < statements.size(); first += 100)
            execute("EXECUTE BLOCK AS BEGIN " + statements.mid(first, 100).join("; ") + "; END");
    }
};

// Each step, run on random tables one after another, leaves the tables as
// the nested scans leave them: categories inside one another in an order
// of their own, a blank one, long titles, no jobs at all.
TEST_F(TitleStepsRandomTest, EachStepLeavesTheTablesItsNestedScansWouldLeave) {
    const quint32 seed = testSeed();
    QRandomGenerator random(seed);
    for (int round = 0; round < 5; ++round) {
        // The first round has no jobs; the last has more than the steps
        // write in one statement.
        fill(random, round == 0 ? 0 : round < 4 ? 40 : 260);
        for (int step : {1, 3, 4, 5, 6, 7, 8, 9, 10, 11}) {
            Tables expected = read();
            literalStep(step, expected, kTodayText);
            title_steps::runStep(step, dataModule.connection(), kToday);
            const QStringList stored = describe(read()), scanned = describe(expected);
            for (qsizetype line = 0; line < std::max(stored.size(), scanned.size()); ++line)
                ASSERT_EQ(stored.value(line), scanned.value(line))
                    << "seed " << seed << ", round " << round << ", step " << step;
        }
    }
}

// Titles of 60 and 100 characters normalised through the steps end counted,
// with the reason of their edits row on the statistics row and the jobs; a
// title that differs from another only after the 50th character shares its
// statistics row, which takes the reason of the first edits row.
TEST_F(TitleStepsTest, ALongNormalisedTitleKeepsItsReason) {
    const QString sixty = QString("MANAGER OF ").leftJustified(60, 'X');
    const QString sixtyToo = sixty.left(55) + "ZZZZZ";
    const QString hundred = QString("DIRECTOR OF ").leftJustified(100, 'Y');
    const QString titles[] = {sixty, hundred, sixtyToo};
    const char* const reasons[] = {"TOO SENIOR", "NO DEGREE", "OTHER"};
    for (int row = 0; row < 3; ++row) {
        execute(
            QString("INSERT INTO JSEARCH_4 (PK, POS_TITLE) VALUES (%1, 'raw %1')").arg(row + 1));
        execute(QString("INSERT INTO JS_EDIT_4 VALUES ('RAW %1', '%2', '%3')")
                    .arg(QString::number(row + 1), titles[row], reasons[row]));
    }
    for (int step : {3, 5, 9, 10, 11})
        title_steps::runStep(step, dataModule.connection(), kToday);
    EXPECT_EQ(rows("SELECT CATEGORY, COUNT_, REASON_NOT_SUBMITTED FROM STATS_JT_4 ORDER BY 1"),
              QStringList({hundred.left(50) + "|1|NO DEGREE", sixty.left(50) + "|2|TOO SENIOR"}));
    EXPECT_EQ(
        rows("SELECT POS_TITLE, REASON_NO_SUBMIT FROM JSEARCH_4 ORDER BY PK"),
        QStringList({sixty + "|TOO SENIOR", hundred.left(80) + "|NO DEGREE", sixtyToo + "|OTHER"}));
    // Only the steps that changed job search records wrote an entry.
    EXPECT_EQ(rows("SELECT SOURCE, RECORD_KEY, ACTION FROM HISTORY_4 ORDER BY ID"),
              QStringList({"TITLE STEP 3||CHANGED", "TITLE STEP 11||CHANGED"}));
}

// Steps 3 and 11 write in blocks of 100 records: one record alone, and the
// one after a full block, change as the others do. A normalised title given
// in small letters is stored in capitals.
TEST_F(TitleStepsTest, Steps3And11ChangeTheLastRecordOfABlock) {
    execute("INSERT INTO JS_EDIT_4 VALUES ('RAW', 'data analyst', 'too far')");
    for (int records : {1, 101}) {
        execute("DELETE FROM JSEARCH_4");
        execute(QString("EXECUTE BLOCK AS DECLARE I INTEGER = 0; BEGIN WHILE (I < %1) DO BEGIN I = "
                        "I + 1; INSERT INTO JSEARCH_4 (PK, POS_TITLE) VALUES (:I, 'raw'); END END")
                    .arg(records));
        execute("INSERT INTO JSEARCH_4 (PK, POS_TITLE) VALUES (1000, 'CLERK')");
        title_steps::runStep(3, dataModule.connection(), kToday);
        EXPECT_EQ(count("JSEARCH_4", "POS_TITLE = 'DATA ANALYST'"), records);
        EXPECT_EQ(title_steps::jobReasonsToChange(dataModule.connection()), records);
        title_steps::runStep(11, dataModule.connection(), kToday);
        EXPECT_EQ(count("JSEARCH_4", "REASON_NO_SUBMIT = 'TOO FAR'"), records);
        EXPECT_EQ(count("JSEARCH_4", "REASON_NO_SUBMIT IS NULL"), 1);
    }
    // One entry a step, however many records it changed.
    EXPECT_EQ(
        rows("SELECT SOURCE, CHANGES FROM HISTORY_4 WHERE ID > 2 ORDER BY ID"),
        QStringList({"TITLE STEP 3|RECORDS CHANGED\t\t101\nPOS_TITLE (101 RECORDS)\traw\tDATA "
                     "ANALYST",
                     "TITLE STEP 11|RECORDS CHANGED\t\t101"}));
}

}  // namespace
