#include "tests/support/printers.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <utility>

namespace {

// The program itself, started as a user would, ends cleanly when the
// desktop asks it to (at logout, or Ctrl+C in a terminal).
TEST(Program, EndsCleanlyOnTerminationSignals) {
    // At several moments of the first start: while firstdb is being made and
    // once the window waits for the user.
    const std::pair<int, int> signalsAndDelays[] = {{SIGTERM, 0}, {SIGINT, 100}, {SIGTERM, 500}};
    for (const auto& [signal, delay] : signalsAndDelays) {
        QTemporaryDir home;
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", home.path());
        environment.remove("XDG_CONFIG_HOME");
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(environment);
        program.start(Q4_PROGRAM, {});
        ASSERT_TRUE(program.waitForStarted(10000));
        // The first start makes firstdb; wait until its file exists.
        const QString firstdb = home.filePath("Documents/kl-db/intrbase/quorvel4/db/firstdb.gdb");
        for (int waited = 0; !QFile::exists(firstdb) && waited < 10000; waited += 50)
            QThread::msleep(50);
        QThread::msleep(delay);
        ::kill(program.processId(), signal);
        SCOPED_TRACE(QString("signal %1 after %2 ms").arg(signal).arg(delay).toStdString());
        EXPECT_TRUE(program.waitForFinished(10000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        if (program.state() != QProcess::NotRunning)
            program.kill();
    }
}

}  // namespace
