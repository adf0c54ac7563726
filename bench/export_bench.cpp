// CSV export of 62,899 job records, and the evidence pack of a year with 52
// payments, each naming a proof file of 200 KB.
#include "bench/job_search_data.h"
#include "datastore/data_module.h"
#include "datastore/locations.h"
#include "evidence/evidence_pack.h"
#include "platform/database_error.h"
#include "platform/transaction.h"
#include "reports/csv_export.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double milliseconds(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

double median(std::vector<double> figures) {
    std::sort(figures.begin(), figures.end());
    return figures[figures.size() / 2];
}

// A payment every week of 2026, each naming its own scan.
void addWeeklyPayments(const QSqlDatabase& connection, const QString& scans) {
    QDir().mkpath(scans);
    const QByteArray scan(200 * 1024, 'x');
    inTransaction(connection, [&] {
        QSqlQuery query(connection);
        query.prepare(
            "INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, CHECK_NBR, SS_AMT, ITEM_FILE, MEMO) "
            "VALUES (?, 'SPOUSAL SUPPORT', ?, ?, 1234.56, ?, 'Sent by certified mail')");
        for (int week = 0; week < 52; ++week) {
            const QString path = QString("%1/cheque_%2.pdf").arg(scans).arg(week + 1);
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(scan);
            for (const QVariant& value :
                 {QVariant(week + 1), QVariant(QDate(2026, 1, 2).addDays(7 * week).startOfDay()),
                  QVariant(QString::number(1000 + week)), QVariant(path)})
                query.addBindValue(value);
            if (!query.exec())
                throw DatabaseError(query.lastError().text());
        }
    });
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const Locations locations(dir.filePath("documents"), dir.filePath("home"));
    const QString path = createJobSearchDatabase(locations, 62899, 50);
    TDataModule2 dataModule;
    dataModule.open(path);
    const QSqlDatabase connection = dataModule.connection();
    addWeeklyPayments(connection, dir.filePath("scans"));

    std::vector<double> exports, packs;
    int records = 0;
    evidence_pack::Packed packed;
    for (int round = 0; round < 5; ++round) {
        exports.push_back(milliseconds([&] {
            records =
                csv_export::exportTable(connection, schema::table("JSEARCH_4"), {},
                                        dir.filePath("jobs.csv"), whole_file::Existing::Replace);
        }));
        packs.push_back(milliseconds([&] {
            packed = evidence_pack::pack(
                connection,
                {"books", QDate(2026, 1, 1), QDate(2026, 12, 31), dir.filePath("pack.zip"),
                 QDateTime::currentDateTime(), dir.path(), whole_file::Existing::Replace});
        }));
    }
    std::printf("CSV export of %d job records: %.0f ms (median of 5; goal: under 1 s), %.1f MB\n",
                records, median(exports), QFileInfo(dir.filePath("jobs.csv")).size() / 1e6);
    std::printf(
        "evidence pack of 2026 (52 payments, 52 proof files of 200 KB, the 62,899 job records' "
        "statistics): %.0f ms (median of 5; goal: under 2 s), %lld files, %.1f MB\n",
        median(packs), static_cast<long long>(packed.files.size()),
        QFileInfo(dir.filePath("pack.zip")).size() / 1e6);
    return 0;
}
