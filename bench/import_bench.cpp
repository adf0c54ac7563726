// The version-7 importer on a generated file of 100,000 jobs, against plain
// prepared inserts of the same rows into the same table, each into a new
// database, in one run on this machine.
#include "datastore/create_database.h"
#include "datastore/data_module.h"
#include "datastore/locations.h"
#include "datastore/schema.h"
#include "importing/import_run.h"
#include "importing/mail_import.h"
#include "platform/transaction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kJobs = 100000;

QString generateAlerts(const QString& path) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    for (int job = 0; job < kJobs; ++job) {
        if (job % 25 == 0)
            file.write(QStringLiteral("\"Agent %1\" Personal Search Agent has found 25 new jobs\n"
                                      "Sent: December %2, 2003 10:15 AM\n")
                           .arg(job / 25)
                           .arg(job / 25 % 28 + 1, 2, 10, QLatin1Char('0'))
                           .toLatin1());
        file.write(QStringLiteral("TX-City %1\nSenior Software Engineer %2\n")
                       .arg(job % 700)
                       .arg(job % 721)
                       .toLatin1());
    }
    return path;
}

// The rows the importer makes, inserted as they are, with one prepared
// statement in one transaction.
void plainInserts(const QSqlDatabase& connection) {
    const QStringList& columns = importedJobColumns();
    QStringList parameters;
    for (const QString& column : columns)
        parameters.append(schema::table("JSEARCH_4").column(column)->parameterSql());
    inTransaction(connection, [&] {
        QSqlQuery insert(connection);
        insert.prepare(QStringLiteral("INSERT INTO JSEARCH_4 (%1) VALUES (%2)")
                           .arg(columns.join(", "), parameters.join(", ")));
        for (int job = 0; job < kJobs; ++job) {
            const QDate date(2003, 12, job / 25 % 28 + 1);
            const QVariant values[] = {46000.0 + job * 1e-10,
                                       46000.0 + job * 1e-10,
                                       QDateTime(date, QTime()),
                                       date.toString("yyyyMMdd"),
                                       "00:00",
                                       "CAREERBUILDER.COM",
                                       "TRUE",
                                       "FALSE",
                                       "MU",
                                       QString("CITY %1").arg(job % 700),
                                       "TX",
                                       QString("SENIOR SOFTWARE ENGINEER %1").arg(job % 721),
                                       QString("Senior Software Engineer %1").arg(job % 721),
                                       "FALSE",
                                       "AUTOMATED E-MAIL",
                                       "/mail/alerts.txt",
                                       QString("SEARCH AGENT NAME: Agent %1").arg(job / 25)};
            for (int column = 0; column < int(std::size(values)); ++column)
                insert.bindValue(column, values[column]);
            if (!insert.exec())
                std::printf("insert failed: %s\n", qPrintable(insert.lastError().text()));
        }
    });
}

double timed(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString alerts = generateAlerts(dir.filePath("alerts.txt"));
    std::vector<double> ratios, historyShares;
    for (int round = 0; round < 3; ++round) {
        double seconds[3] = {0, 0, 0};
        for (int way = 0; way < 3; ++way) {
            const Locations locations(
                dir.filePath(QStringLiteral("round%1-%2").arg(round).arg(way)));
            createDatabase(locations, "books", [](const QString&) {});
            TDataModule2 dataModule;
            dataModule.open(locations.databasePath("books"));
            const QSqlDatabase connection = dataModule.connection();
            seconds[way] = timed([&] {
                if (way == 0)
                    mail_import::importFile(MailKind::CareerBuilder7, connection, alerts,
                                            [](const QString&) {}, {});
                else if (way == 1)
                    plainInserts(connection);
                else
                    mail_import::importOnce(
                        MailKind::CareerBuilder7, connection, alerts,
                        [](const ImportedFiles::File&) { return true; }, [](const QString&) {}, {});
            });
        }
        ratios.push_back(seconds[1] / seconds[0]);
        historyShares.push_back(seconds[2] / seconds[0]);
        std::printf(
            "round %d: importer %.2f s (%.0f jobs/s), plain inserts %.2f s (%.0f rows/s), "
            "importer at %.0f %% of the plain rate; as the program imports, with the record of "
            "the file and the history entry, %.2f s\n",
            round + 1, seconds[0], kJobs / seconds[0], seconds[1], kJobs / seconds[1],
            100 * ratios.back(), seconds[2]);
    }
    std::sort(ratios.begin(), ratios.end());
    std::sort(historyShares.begin(), historyShares.end());
    std::printf(
        "median: the importer runs at %.0f %% of the rate of plain prepared inserts "
        "(goal: at least 80 %%)\n",
        100 * ratios[1]);
    std::printf(
        "median: the import with its history entry takes %.0f %% of the time of the import "
        "without it (goal: at most 110 %%)\n",
        100 * historyShares[1]);
    return 0;
}
