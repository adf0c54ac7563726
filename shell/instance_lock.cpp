#include "shell/instance_lock.h"

#include "forms/dialogs.h"

InstanceLock::InstanceLock(const Locations& locations)
    : locations_(locations), lock_(locations.programFolder() + QStringLiteral("/quorvel4.lock")) {
    lock_.setStaleLockTime(0);
}

bool InstanceLock::take(Dialogs& dialogs) {
    if (locations_.ensureFolder(locations_.programFolder()) && lock_.tryLock(0))
        return true;
    dialogs.message(
        nullptr, QStringLiteral("MESSAGE"),
        lock_.error() == QLockFile::LockFailedError
            ? QStringLiteral("Quorvel4 is already running for this user.")
            : QStringLiteral("Quorvel4 cannot make its lock file in ") + locations_.programFolder(),
        Buttons::Ok);
    return false;
}
