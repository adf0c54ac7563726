// The numbered steps on 62,899 job records with 721 distinct titles: the
// first normalisation, which rewrites every job record in steps 3 and 11;
// the same steps with nothing left to change; the steps after an import of
// 1,000 records. The first full read after a rewrite clears the records' old
// versions and is timed with its round. Beside them: the engine alone making
// the two rewrites, and the recount (step 10) against the nested scan it
// replaces. The nested scan runs in memory on a tenth of the records and is
// scaled by ten: the record-by-record form also read and wrote the database for every
// pair, so the real ratio is larger still.
#include "bench/job_search_data.h"
#include "datastore/data_module.h"
#include "datastore/locations.h"
#include "datastore/record_history.h"
#include "importing/title_steps.h"
#include "platform/database_error.h"
#include "platform/transaction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kRecords = 62899;

double seconds(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e9;
}

QStringList column(const QSqlDatabase& connection, const QString& sql) {
    QStringList values;
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    query.exec(sql);
    while (query.next())
        values.append(query.value(0).toString());
    return values;
}

// Step 10 as its description gives it: each job against the categories
// from the first, until one is contained in its title.
double nestedRecount(const QStringList& titles, const QStringList& categories) {
    std::vector<int> counts(categories.size(), 0);
    return seconds([&] {
        for (const QString& title : titles) {
            const QString key = title_steps::keyForm(title);
            for (int category = 0; category < categories.size(); ++category) {
                const QString wanted = title_steps::keyForm(categories[category]);
                if (!wanted.isEmpty() && key.contains(wanted)) {
                    ++counts[category];
                    break;
                }
            }
        }
    });
}

void run(const QSqlDatabase& connection, const QString& sql) {
    inTransaction(connection, [&] {
        QSqlQuery query(connection);
        if (!query.exec(sql))
            throw DatabaseError(query.lastError().text());
    });
}

// The first full read after a rewrite of every record clears the records'
// old versions; whichever step or form reads the table next pays for it.
double clearOldVersions(const QSqlDatabase& connection) {
    return seconds([&] { column(connection, "SELECT COUNT(*) FROM JSEARCH_4"); });
}

// The user's edits: every title still waiting that starts with `prefix`
// gets a normalised title and a reason the jobs do not have yet.
void editWaitingTitles(const QSqlDatabase& connection, const QString& prefix) {
    run(connection,
        "UPDATE JS_EDIT_4 SET CHANGE_TO = 'SR ' || CHANGE_FROM, REASON_NO_SUBMIT = "
        "'TOO SENIOR' WHERE CHANGE_TO = '" +
            title_steps::kNewEntry + "' AND CHANGE_FROM STARTING WITH '" + prefix + "'");
}

void importJobs(const QSqlDatabase& connection, int records, int titles) {
    run(connection,
        QStringLiteral("EXECUTE BLOCK AS DECLARE i INTEGER = 0; BEGIN WHILE (i < %1) DO BEGIN "
                       "INSERT INTO JSEARCH_4 (PK, POS_TITLE, POS_CITY, CONTACT_NAME, "
                       "REASON_NO_SUBMIT) VALUES (90000 + :i, 'NEW TITLE ' || MOD(:i, %2), "
                       "'NEW CITY', 'NEW RECRUITER', 'NEW'); i = i + 1; END END")
            .arg(records)
            .arg(titles));
}

// Runs the steps; before step 3 the user edits the waiting titles that start
// with `edited`, unless it is null. Returns the time step 3 took.
double runRound(const char* title, const QSqlDatabase& connection, const QDate& today,
                const QString& edited) {
    std::printf("%s:\n", title);
    double total = 0, step3 = 0;
    for (int step : {1, 3, 4, 5, 6, 7, 8, 9, 10, 11}) {
        if (step == 3 && !edited.isNull())
            editWaitingTitles(connection, edited);
        const double taken = seconds([&] { title_steps::runStep(step, connection, today); });
        total += taken;
        if (step == 3)
            step3 = taken;
        std::printf("  step %2d: %7.1f ms\n", step, taken * 1000);
    }
    const double clearing = clearOldVersions(connection);
    std::printf("  then the next full read of the jobs: %.1f ms\n", clearing * 1000);
    std::printf("  steps 1 and 3 to 11 together: %.2f s, with that read %.2f s (goal: under 3 s)\n",
                total, total + clearing);
    return step3;
}

// The part of a step its one history entry takes: the entry step 3 wrote,
// written again on its own.
void historyShare(const QSqlDatabase& connection, double step3) {
    const QStringList written = column(
        connection, "SELECT CHANGES FROM HISTORY_4 WHERE SOURCE = 'TITLE STEP 3' ORDER BY ID");
    const QString changes = written.value(0);
    const double taken = seconds([&] {
        inTransaction(connection, [&] {
            record_history::appendEntry(
                connection, {"JSEARCH_4", QString(), "CHANGED", "TITLE STEP 3", changes});
        });
    });
    std::printf(
        "step 3's history entry (%lld lines) written on its own: %.1f ms, %.1f %% of the step's "
        "%.0f ms with it (goal: the step within 10 %% of its time without history)\n",
        static_cast<long long>(changes.count('\n') + 1), taken * 1000, 100 * taken / step3,
        step3 * 1000);
}

// What the engine alone takes for the two rewrites of every job record that
// a first normalisation makes (steps 3 and 11), each with the full read after
// it: a floor no program on this engine can go under.
void engineFloor(const QString& path) {
    QSqlDatabase floor = QSqlDatabase::addDatabase("QIBASE", "floor");
    floor.setDatabaseName(path);
    floor.setUserName(databaseAccount().user);
    floor.setPassword(databaseAccount().password);
    floor.open();
    const double taken = seconds([&] {
        run(floor, "UPDATE JSEARCH_4 SET POS_TITLE = 'SR ' || POS_TITLE");
        clearOldVersions(floor);
        run(floor, "UPDATE JSEARCH_4 SET REASON_NO_SUBMIT = 'TOO SENIOR'");
        clearOldVersions(floor);
    });
    std::printf(
        "the engine alone, two UPDATE statements of every job record with the full read after "
        "each: %.2f s\n",
        taken);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const Locations locations(dir.filePath("documents"));
    const QString path = createJobSearchDatabase(locations, kRecords, 50);
    const QString floorPath = dir.filePath("floor.gdb");
    QFile::copy(path, floorPath);
    TDataModule2 dataModule;
    dataModule.open(path);
    const QSqlDatabase connection = dataModule.connection();
    const QDate today = QDate::currentDate();

    const double step3 =
        runRound("first normalisation, every job record changed twice", connection, today, "");
    historyShare(connection, step3);
    runRound("the same steps again, nothing left to change", connection, today, QString());
    importJobs(connection, 1000, 100);
    runRound("after an import of 1,000 job records under 100 new titles", connection, today,
             "NEW TITLE");

    const QStringList titles = column(connection, "SELECT POS_TITLE FROM JSEARCH_4 ORDER BY PK");
    const QStringList categories =
        column(connection, "SELECT CATEGORY FROM STATS_JT_4 ORDER BY ORDER_, CATEGORY");
    const double recount = seconds([&] { title_steps::runStep(10, connection, today); });
    const double nested = nestedRecount(titles.mid(0, titles.size() / 10), categories) * 10;
    std::printf(
        "step 10 on %lld jobs and %lld categories: %.0f ms (goal: under 1 s); the nested "
        "scan, in memory, a tenth of the jobs, times ten: %.0f ms, %.0f times as long\n",
        static_cast<long long>(titles.size()), static_cast<long long>(categories.size()),
        recount * 1000, nested * 1000, nested / recount);
    dataModule.close();
    engineFloor(floorPath);
    return 0;
}
