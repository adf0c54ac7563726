#include "tests/support/files.h"
#include "tests/support/test_connection.h"
#include "tests/support/test_seed.h"
#include "tests/support/user_home.h"

#include <QFile>
#include <QProcess>
#include <QThread>

#include <csignal>

#include <gtest/gtest.h>

namespace {

constexpr int kJobs = 20000;

// An alert of kJobs jobs, which takes the tool a few seconds to import.
QString longAlert(const UserHome& home) {
    const QString mail = home.filePath("alerts.txt");
    QFile file(mail);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Sent: March 03, 2004 9:00 AM\n");
    for (int job = 0; job < kJobs; ++job)
        file.write(QStringLiteral("TX-Austin\nAnalyst %1\n").arg(job).toLatin1());
    return mail;
}

int storedJobs(const QString& database) {
    const QString counted = isql(database, {}, "SELECT COUNT(*) FROM JSEARCH_4;\n");
    return counted.section('\n', -2).trimmed().toInt();
}

// The tool killed at random moments of a long import: the database stays
// sound, and holds every record of a run or none of it. Damage a kill did
// stays, so the database is validated once, after the last kill.
TEST(BatchKillTest, AKilledImportLeavesTheDatabaseSoundAndEachRunWholeOrAbsent) {
    const UserHome home;
    const QString database = home.database();
    const QString mail = longAlert(home);
    const quint32 seed = testSeed();
    QRandomGenerator random(seed);
    int lastCount = 0;
    for (int attempt = 0; attempt < 6; ++attempt) {
        QProcess tool;
        tool.setProcessEnvironment(home.environment());
        tool.start(Q4_BATCH_EXE, {"import", "cb7", "--again", mail});
        ASSERT_TRUE(tool.waitForStarted());
        QThread::msleep(random.bounded(50, 2500));
        tool.kill();
        tool.waitForFinished();
        lastCount = storedJobs(database);
        EXPECT_EQ(lastCount % kJobs, 0) << "seed " << seed << ": " << lastCount << " records";
    }
    EXPECT_LT(lastCount, 6 * kJobs) << "no run was cut short: seed " << seed;

    EXPECT_EQ(isql(database, {"-x"}).contains("Statement failed"), false);
    // Pages left by the killed transactions are warnings, freed later; any
    // error counted is damage.
    const QString validation = outputOf("gfix", {"-v", "-full", "-user", "SYSDBA", database});
    for (const QString& line : validation.split('\n'))
        EXPECT_FALSE(line.contains("errors") && line.contains("Number of"))
            << "seed " << seed << ": " << validation.toStdString();
}

// SIGTERM and SIGINT end an import at once with their status and a line
// saying so, and leave nothing of it stored.
TEST(BatchKillTest, ATerminationSignalEndsAnImportWithItsStatusAndNothingStored) {
    const UserHome home;
    const QString mail = longAlert(home);
    const struct {
        int signal;
        int status;
        const char* name;
    } endings[] = {{SIGTERM, 143, "SIGTERM"}, {SIGINT, 130, "SIGINT"}};
    for (const auto& ending : endings) {
        QProcess tool;
        tool.setProcessEnvironment(home.environment());
        tool.start(Q4_BATCH_EXE, {"import", "cb7", mail});
        ASSERT_TRUE(tool.waitForReadyRead(60000));  // "Working on …": the import begins
        ::kill(pid_t(tool.processId()), ending.signal);
        ASSERT_TRUE(tool.waitForFinished(60000));
        EXPECT_EQ(tool.exitStatus(), QProcess::NormalExit) << ending.name;
        EXPECT_EQ(tool.exitCode(), ending.status) << ending.name;
        EXPECT_TRUE(tool.readAllStandardError().contains(ending.name)) << ending.name;
        EXPECT_EQ(storedJobs(home.database()), 0) << ending.name;
    }
}

}  // namespace
