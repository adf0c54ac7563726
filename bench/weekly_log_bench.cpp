// The weekly work-search log over five years of weeks holding 62,899 job
// search records: read from the database under the stored rules, then the
// text report and both CSV files, the whole log timed as the best of
// several runs, and each part alone. Goal: the whole log under 300 ms.
#include "bench/bench_books.h"
#include "datastore/create_database.h"
#include "datastore/data_module.h"
#include "datastore/locations.h"
#include "platform/firebird.h"
#include "reports/report_text.h"
#include "worksearch/stored_contacts.h"
#include "worksearch/stored_weekly_log.h"
#include "worksearch/week_rules_store.h"
#include "worksearch/weekly_log_csv.h"
#include "worksearch/weekly_log_report.h"

#include <QTemporaryDir>

#include <cstdio>

namespace {

using namespace worksearch;

const QDate kFrom(2020, 1, 1);
const QDate kTo(2024, 12, 31);
constexpr int kRecords = 62899;
constexpr int kRuns = 10;

// Made by the server in one block, spread evenly over the five years: in
// chains of three (two follow-ups each), a third not submitted, one in nine
// inactive, employers repeating within a week, a comment on every third.
void fillFiveYears(const QString& path) {
    fb::Attachment database = fb::Attachment::attach(path, databaseAccount());
    database.executeInOwnTransaction(
        QStringLiteral(
            "EXECUTE BLOCK AS "
            "DECLARE i INTEGER = 0; DECLARE d DATE; "
            "BEGIN "
            "  WHILE (i < %1) DO BEGIN "
            "    d = CAST('%2' AS DATE) + FLOOR(i * %3 / %1); "
            "    INSERT INTO JSEARCH_4 (PK, ACTIVE_, ACTIVE_CHANGED, REFNUM, DATE_, YYYYMMDD, "
            "      TIME_, CONTACT_NAME, EMAIL, POS_TYPE, POS_CITY, POS_STATE, POS_TITLE, "
            "      SUBMITTED, REASON_NO_SUBMIT, COMMENT) VALUES ("
            "      37000 + :i / 1000.0, IIF(MOD(:i, 9) = 0, 'FALSE', 'TRUE'), '1901-01-01', "
            "      37000 + (:i - MOD(:i, 3)) / 1000.0, :d, "
            "      EXTRACT(YEAR FROM :d) || LPAD(EXTRACT(MONTH FROM :d), 2, '0') || "
            "        LPAD(EXTRACT(DAY FROM :d), 2, '0'), "
            "      LPAD(MOD(:i, 24), 2, '0') || ':' || LPAD(MOD(:i, 6) * 10, 2, '0'), "
            "      'EMPLOYER ' || MOD(:i, 431), IIF(MOD(:i, 2) = 0, 'TRUE', 'FALSE'), 'FT', "
            "      'AUSTIN', 'TX', 'SOFTWARE DEVELOPER ' || MOD(:i, 37), "
            "      IIF(MOD(:i, 3) = 1, 'FALSE', 'TRUE'), '', "
            "      IIF(MOD(:i, 3) = 0, 'CALLED BACK, \"SECOND\" ROUND', '')); "
            "    i = i + 1; "
            "  END "
            "END")
            .arg(kRecords)
            .arg(kFrom.toString(Qt::ISODate))
            .arg(kFrom.daysTo(kTo) + 1));
}


}  // namespace

int main() {
    QTemporaryDir dir;
    const Locations locations(dir.filePath("documents"));
    createDatabase(locations, QStringLiteral("books"), [](const QString&) {});
    fillFiveYears(locations.databasePath(QStringLiteral("books")));
    TDataModule2 dataModule;
    dataModule.open(locations.databasePath(QStringLiteral("books")));
    const QSqlDatabase connection = dataModule.connection();
    WeekRules rules;
    rules.differentEmployers = true;
    storeWeekRules(connection, rules);

    std::size_t read = 0;
    const double contacts = bestMilliseconds(kRuns, 
        [&] { read = contactsBetween(connection, kFrom.addDays(-7), kTo.addDays(7)).size(); });
    WeeklyLog log;
    const double stored = bestMilliseconds(kRuns, [&] { log = storedWeeklyLog(connection, kFrom, kTo); });
    const QHash<QString, QString> configuration = report_text::configuration(connection);
    qsizetype lines = 0, bytes = 0;
    const double text =
        bestMilliseconds(kRuns, [&] { lines = weekly_log_report::build(log, configuration).size(); });
    const double csv = bestMilliseconds(kRuns, [&] {
        bytes =
            weekly_log_csv::contactsBytes(log).size() + weekly_log_csv::summaryBytes(log).size();
    });
    const double whole = bestMilliseconds(kRuns, [&] {
        log = storedWeeklyLog(connection, kFrom, kTo);
        lines = weekly_log_report::build(log, configuration).size();
        bytes =
            weekly_log_csv::contactsBytes(log).size() + weekly_log_csv::summaryBytes(log).size();
    });
    std::printf("%zu records read: %.1f ms; the log of %zu weeks, %d contacts counted: %.1f ms\n",
                read, contacts, log.weeks.size(), log.contacts, stored);
    std::printf("text, %lld lines: %.1f ms; both CSV files, %lld bytes: %.1f ms\n",
                static_cast<long long>(lines), text, static_cast<long long>(bytes), csv);
    std::printf("weekly log whole, best of %d: %.1f ms (goal: under 300 ms)\n", kRuns, whole);
    return 0;
}
