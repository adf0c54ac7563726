// Backup and restore of a database with 62,899 job records and 10,000
// payments, through the program and through Firebird's own gbak on the
// same files in the same run, in turns.
#include "bench/job_search_data.h"
#include "datastore/data_module.h"
#include "datastore/locations.h"
#include "maintenance/backup_restore.h"
#include "platform/database_error.h"
#include "platform/transaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRounds = 3;

void addPayments(const QString& path) {
    TDataModule2 dataModule;
    dataModule.open(path);
    inTransaction(dataModule.connection(), [&] {
        QSqlQuery query(dataModule.connection());
        if (!query.exec(
                "EXECUTE BLOCK AS DECLARE i INTEGER = 0; BEGIN WHILE (i < 10000) DO BEGIN "
                "INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, CHECK_NBR, SS_AMT, RP_AMT, "
                "ITEM, MEMO) VALUES (:i, 'SPOUSAL SUPPORT', CAST('1990-01-01' AS TIMESTAMP) + "
                ":i / 10, :i, 1234.56, 250.5, 'MONTHLY SUPPORT', 'Sent by certified mail'); "
                "i = i + 1; END END"))
            throw DatabaseError(query.lastError().text());
    });
    dataModule.close();
}

double seconds(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e9;
}

void gbak(const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start("gbak",
                  QStringList{"-user", "SYSDBA", "-password", "plumbtwig", "-v"} + arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        throw DatabaseError("gbak failed: " + process.readAllStandardError());
}

struct Figures {
    std::vector<double> ours, theirs;
    void print(const char* what) {
        std::sort(ours.begin(), ours.end());
        std::sort(theirs.begin(), theirs.end());
        std::printf(
            "%s: program %.2f s, gbak %.2f s (medians of %d; program/gbak %.2f; "
            "best %.2f s and %.2f s)\n",
            what, ours[kRounds / 2], theirs[kRounds / 2], kRounds,
            ours[kRounds / 2] / theirs[kRounds / 2], ours[0], theirs[0]);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const Locations locations(dir.filePath("documents"), dir.filePath("home"));
    const QString path = createJobSearchDatabase(locations, 62899, 50);
    addPayments(path);
    std::printf("database: 62,899 job records and 10,000 payments, %.1f MB\n",
                QFileInfo(path).size() / 1e6);

    const backup_restore::Output quiet{[](const QString&) {}, [](const QString&) {}};
    Figures backups, restores;
    for (int round = 0; round < kRounds; ++round) {
        QString ours;
        const QString theirs = dir.filePath(QString("gbak_%1.gdk").arg(round));
        backups.ours.push_back(
            seconds([&] { ours = backup_restore::backupDatabase(locations, path, quiet); }));
        backups.theirs.push_back(seconds([&] { gbak({"-b", path, theirs}); }));

        restores.ours.push_back(
            seconds([&] { backup_restore::restoreBackup(locations, ours, quiet); }));
        restores.theirs.push_back(seconds([&] {
            gbak({"-c", "-page_size", "4096", "-buffers", "3000", theirs,
                  dir.filePath(QString("gbak_%1.gdb").arg(round))});
        }));
        if (round == 0)
            std::printf("backup file: %.1f MB\n", QFileInfo(ours).size() / 1e6);
        QFile::remove(ours);
        QFile::remove(locations.restoredFolder() + "/books.gdb");
    }
    backups.print("backup (verbose, progress lines read)");
    restores.print("restore (verbose; the program also opens the restored database once)");
    return 0;
}
