#include "datastore/instance_lock.h"

InstanceLock::InstanceLock(const Locations& locations)
    : locations_(locations), lock_(locations.programFolder() + QStringLiteral("/quorvel4.lock")) {
    lock_.setStaleLockTime(0);
}

QString InstanceLock::take() {
    if (locations_.ensureFolder(locations_.programFolder()) && lock_.tryLock(0))
        return QString();
    return lock_.error() == QLockFile::LockFailedError
               ? QStringLiteral("Quorvel4 is already running for this user.")
               : QStringLiteral("Quorvel4 cannot make its lock file in ") +
                     locations_.programFolder();
}
