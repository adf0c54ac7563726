#include "datastore/instance_lock.h"

#include "platform/whole_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

InstanceLock::InstanceLock(const Locations& locations)
    : locations_(locations), lock_(locations.programFolder() + QStringLiteral("/quorvel4.lock")) {
    lock_.setStaleLockTime(0);
}

QString InstanceLock::path() const {
    return lock_.fileName();
}

QString InstanceLock::take() {
    if (!locations_.ensureFolder(locations_.programFolder()))
        return QStringLiteral(
                   "Quorvel4 cannot make its lock file in %1: the folder cannot be made.")
            .arg(locations_.programFolder());
    if (const QString refusal = notAFile(); !refusal.isEmpty())
        return refusal;
    errno = 0;
    if (lock_.tryLock(0))
        return held();
    const int error = errno;
    // QLockFile takes over a lock whose process has ended on this computer,
    // but not one it cannot read: an empty or damaged file. Such a file is
    // removed unless a process holds it (one that is writing it now).
    qint64 pid = 0;
    QString host, program;
    if (lock_.error() == QLockFile::LockFailedError && !lock_.getLockInfo(&pid, &host, &program) &&
        lock_.removeStaleLockFile() && lock_.tryLock(0))
        return held();
    return whyNotTaken(error);
}

QString InstanceLock::held() {
    removedOnSignal_.emplace(path());
    return QString();
}

// A folder (or a pipe) under the lock's name is no lock another run holds.
QString InstanceLock::notAFile() const {
    const QFileInfo existing(path());
    if (!existing.exists() || existing.isFile())
        return QString();
    return QStringLiteral("Quorvel4 cannot make its lock file %1: it is %2.")
        .arg(path(),
             existing.isDir() ? QStringLiteral("a folder") : QStringLiteral("not a regular file"));
}

// QLockFile gives "permission" for every reason a file cannot be made (a
// file system mounted read-only among them): the system's own is learnt by
// making the file here.
int InstanceLock::creationError(int error) const {
    const QByteArray name = QFile::encodeName(path());
    const int descriptor = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return errno != EEXIST ? errno : error;
    ::close(descriptor);
    ::unlink(name.constData());
    return error;
}

QString InstanceLock::whyNotTaken(int error) {
    if (lock_.error() == QLockFile::PermissionError)
        error = EACCES;
    if (lock_.error() != QLockFile::LockFailedError)
        return QStringLiteral("Quorvel4 cannot make its lock file %1: %2")
            .arg(path(), whole_file::systemReason(creationError(error != 0 ? error : EIO)));
    qint64 pid = 0;
    QString host, program;
    if (lock_.getLockInfo(&pid, &host, &program) && !host.isEmpty() &&
        host != QSysInfo::machineHostName())
        return QStringLiteral(
                   "Quorvel4 runs on the computer %1, or ran there and was stopped: its lock "
                   "file is %2. If it does not run there, remove that file and start again.")
            .arg(host, path());
    return QStringLiteral("Quorvel4 is already running for this user. Close it and try again.");
}
