#include "tests/support/printers.h"
#include "tests/support/test_connection.h"
#include "tests/support/user_home.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>

namespace {

constexpr int kJobs = 20000;

// The tool killed at random moments of a long import: the database stays
// sound, and holds every record of a run or none of it.
TEST(BatchKillTest, AKilledImportLeavesTheDatabaseSoundAndEachRunWholeOrAbsent) {
    const UserHome home;
    const QString database = home.database();
    const QString mail = home.filePath("alerts.txt");
    QFile file(mail);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Sent: March 03, 2004 9:00 AM\n");
    for (int job = 0; job < kJobs; ++job)
        file.write(QStringLiteral("TX-Austin\nAnalyst %1\n").arg(job).toLatin1());
    file.close();

    const QProcessEnvironment environment = home.environment();
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    int lastCount = 0;
    for (int attempt = 0; attempt < 10; ++attempt) {
        QProcess tool;
        tool.setProcessEnvironment(environment);
        tool.start(Q4_BATCH_EXE, {"import", "cb7", "--again", mail});
        ASSERT_TRUE(tool.waitForStarted());
        QThread::msleep(random.bounded(50, 2500));
        tool.kill();
        tool.waitForFinished();

        EXPECT_EQ(isql(database, {"-x"}).contains("Statement failed"), false);
        QProcess check;
        check.start("gfix", {"-v", "-full", "-user", "SYSDBA", database});
        ASSERT_TRUE(check.waitForFinished(60000));
        EXPECT_EQ(check.exitCode(), 0) << "seed " << seed;
        // Pages left by the killed transaction are warnings, freed later;
        // any error counted is damage.
        const QString validation = QString::fromLocal8Bit(check.readAll());
        for (const QString& line : validation.split('\n'))
            EXPECT_FALSE(line.contains("errors") && line.contains("Number of"))
                << "seed " << seed << ": " << validation.toStdString();
        const QString counted = isql(database, {}, "SELECT COUNT(*) FROM JSEARCH_4;\n");
        const int records = counted.section('\n', -2).trimmed().toInt();
        EXPECT_EQ(records % kJobs, 0) << "seed " << seed << ": " << records << " records";
        lastCount = records;
    }
    EXPECT_LT(lastCount, 10 * kJobs) << "no run was cut short: seed " << seed;
}

}  // namespace
