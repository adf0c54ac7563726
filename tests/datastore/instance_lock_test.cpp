#include "datastore/instance_lock.h"
#include "tests/support/files.h"
#include "tests/support/report_file.h"
#include "tests/support/workspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QSysInfo>

#include <gtest/gtest.h>

namespace {

TEST(InstanceLockTest, AFolderUnderTheLocksNameIsNoRunningProgram) {
    TestWorkspace workspace;
    InstanceLock lock(workspace.locations());
    ASSERT_TRUE(QDir().mkpath(lock.path()));
    EXPECT_EQ(lock.take(),
              "Quorvel4 cannot make its lock file " + lock.path() + ": it is a folder.");
}

// What a lock file found at the start holds, and what the start makes of
// it: a lock no running program of this computer holds is taken over; one
// naming another computer is named with its path; "{lock}" stands for it.
TEST(InstanceLockTest, EachKindOfLockFileFoundAtTheStart) {
    const QByteArray here = QSysInfo::machineHostName().toUtf8();
    const struct {
        const char* kind;
        QByteArray content;
        QString refusal;
    } cases[] = {
        {"empty", "", ""},
        {"garbage", "\x01\x7f lock?\n\n", ""},
        {"an ended process of this computer", "2147483000\nquorvel4\n" + here + "\n", ""},
        {"another computer", "4242\nquorvel4\nfaraway\n",
         "Quorvel4 runs on the computer faraway, or ran there and was stopped: its lock file is "
         "{lock}. If it does not run there, remove that file and start again."},
    };
    for (const auto& lockFile : cases) {
        TestWorkspace workspace;
        InstanceLock lock(workspace.locations());
        writeFile(lock.path(), lockFile.content);
        EXPECT_EQ(lock.take(), QString(lockFile.refusal).replace("{lock}", lock.path()))
            << lockFile.kind;
        const QByteArray now = bytesOf(lock.path());
        if (lockFile.refusal.isEmpty())
            EXPECT_TRUE(
                now.startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n'))
                << lockFile.kind;
        else
            EXPECT_EQ(now, lockFile.content) << lockFile.kind;
    }
}

}  // namespace
