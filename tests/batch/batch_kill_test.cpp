#include "tests/support/printers.h"
#include "tests/support/test_connection.h"
#include "tests/support/user_home.h"

#include <QDir>
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

// The tool killed at moments of a restore: the restored folder holds the
// whole database under its name or nothing under it, and the next start
// removes what the killed run left, saying so.
TEST(BatchKillTest, AKilledRestoreLeavesNothingUnderTheDatabasesName) {
    const UserHome home;
    {
        TestConnection connection(home.database());
        connection.execute(
            "EXECUTE BLOCK AS DECLARE I INTEGER = 0; BEGIN WHILE (I < 20000) DO BEGIN INSERT INTO "
            "JSEARCH_4 (PK, POS_TITLE) VALUES (:I, 'ANALYST ' || :I); I = I + 1; END END");
    }
    const Locations locations(home.filePath("Documents"));
    const auto tool = [&](const QStringList& arguments, int killAfter = -1) {
        QProcess process;
        process.setProcessEnvironment(home.environment());
        process.start(Q4_BATCH_EXE, arguments);
        EXPECT_TRUE(process.waitForStarted());
        if (killAfter >= 0) {
            QThread::msleep(killAfter);
            process.kill();
        }
        process.waitForFinished(120000);
        return QString::fromLocal8Bit(process.readAllStandardError());
    };
    tool({"backup", "books"});
    const QStringList backups = QDir(locations.backupFolder()).entryList({"books_*.gdk"});
    ASSERT_EQ(backups.size(), 1);
    const QString backup = locations.backupFolder() + "/" + backups[0];
    const QString restored = locations.restoredFolder() + "/books.gdb";
    bool leftSome = false;  // by the last killed run
    for (int killAfter : {100, 300, 600, 1000}) {
        tool({"restore", backup}, killAfter);
        const QStringList names = QDir(locations.restoredFolder()).entryList(QDir::Files);
        leftSome = !names.filter(".part-").isEmpty();  // removed by each next start
        if (names.contains("books.gdb")) {
            EXPECT_EQ(TestConnection(restored).rows("SELECT COUNT(*) FROM JSEARCH_4"),
                      QStringList{"20000"})
                << killAfter;
            QFile::remove(restored);
        }
    }
    const QString said = tool({"restore", backup});
    EXPECT_EQ(said.contains("Removed what a stopped run left behind: "), leftSome)
        << said.toStdString();
    EXPECT_EQ(QDir(locations.restoredFolder()).entryList(QDir::Files), QStringList{"books.gdb"});
}

}  // namespace
