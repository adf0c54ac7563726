#include "platform/whole_file.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

namespace whole_file {

namespace {

QByteArray nativeName(const QString& path) {
    return QFile::encodeName(path);
}

QString folderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

// Flushes a file, or a folder's list of names, to the disk.
int syncPath(const QString& path) {
    const int descriptor = ::open(nativeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return errno;
    const int error = ::fsync(descriptor) == 0 ? 0 : errno;
    ::close(descriptor);
    return error;
}

// Gives `from` the name `to`; with Existing::Refuse only while no file has it.
int rename(const QString& from, const QString& to, Existing existing) {
    const QByteArray source = nativeName(from), target = nativeName(to);
    if (existing == Existing::Replace)
        return std::rename(source.constData(), target.constData()) == 0 ? 0 : errno;
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without the exclusive rename: a hard link fails on an
    // existing name just as well.
    if (::link(source.constData(), target.constData()) != 0)
        return errno;
    ::unlink(source.constData());
    return 0;
}

QString randomSuffix() {
    return QString::number(QRandomGenerator::system()->generate64(), 36);
}

// A file about to be replaced, kept under a second name (a hard link) until
// its replacement stands, to be put back should it not. Without a link (a
// file system without them) there is nothing to put back.
class KeptAside {
public:
    explicit KeptAside(const QString& path) : path_(path) {
        const QString aside = path + QStringLiteral(".former-") + randomSuffix();
        if (::link(nativeName(path).constData(), nativeName(aside).constData()) == 0)
            aside_ = aside;
    }
    ~KeptAside() {
        if (!aside_.isEmpty())
            ::unlink(nativeName(aside_).constData());
    }
    KeptAside(const KeptAside&) = delete;
    KeptAside& operator=(const KeptAside&) = delete;

    void putBack() {
        if (!aside_.isEmpty() && rename(aside_, path_, Existing::Replace) == 0)
            aside_.clear();
    }

private:
    QString path_;
    QString aside_;
};

}  // namespace

WriteError::WriteError(const QString& message, int error) : ProgramError(message), error_(error) {}

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

Writer::Writer(const QString& path, Existing existing) : path_(path), existing_(existing) {
    if (QFileInfo(path).isDir())
        throw WriteError(QStringLiteral("%1 cannot be written: it is a folder.").arg(path));
    descriptor_ =
        ::open(nativeName(folderOf(path)).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (descriptor_ < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        namedTemporary_ = path + QStringLiteral(".part-") + randomSuffix();
        descriptor_ = ::open(nativeName(namedTemporary_).constData(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    }
    if (descriptor_ < 0)
        fail(QStringLiteral("cannot be written"), errno);
    ::fchmod(descriptor_, 0600);
}

Writer::~Writer() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
    if (!committed_ && !namedTemporary_.isEmpty())
        ::unlink(nativeName(namedTemporary_).constData());
}

void Writer::fail(const QString& what, int error) {
    throw WriteError(QStringLiteral("%1 %2: %3").arg(path_, what, systemReason(error)), error);
}

void Writer::write(const char* bytes, qint64 size) {
    while (size > 0) {
        const ssize_t written = ::write(descriptor_, bytes, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail(QStringLiteral("cannot be written whole"), written < 0 ? errno : ENOSPC);
        bytes += written;
        size -= written;
    }
}

void Writer::sync() {
    if (::fsync(descriptor_) != 0)
        fail(QStringLiteral("cannot be written whole"), errno);
}

void Writer::commit() {
    if (::fsync(descriptor_) != 0)
        fail(QStringLiteral("cannot be written whole"), errno);
    int error = 0;
    if (namedTemporary_.isEmpty()) {
        // An unnamed file gets its name by a link, which never replaces; a
        // replacement is linked beside the name first and renamed over it.
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(descriptor_);
        const QString linked = existing_ == Existing::Replace
                                   ? path_ + QStringLiteral(".part-") + randomSuffix()
                                   : path_;
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, nativeName(linked).constData(),
                     AT_SYMLINK_FOLLOW) != 0)
            error = errno;
        else if (linked != path_ && (error = rename(linked, path_, Existing::Replace)) != 0)
            ::unlink(nativeName(linked).constData());
    } else {
        error = rename(namedTemporary_, path_, existing_);
    }
    ::close(descriptor_);
    descriptor_ = -1;
    if (error == EEXIST)
        throw WriteError(QStringLiteral("%1 exists already and was left as it was.").arg(path_));
    if (error != 0)
        fail(QStringLiteral("cannot be named"), error);
    committed_ = true;
    if ((error = syncPath(folderOf(path_))) != 0)
        fail(QStringLiteral("was written, but its folder cannot be synced"), error);
}

bool isTaken(const QString& path) {
    const QFileInfo file(path);
    return file.exists() || file.isSymLink();
}

void write(const QString& path, const QByteArray& bytes, Existing existing) {
    Writer writer(path, existing);
    writer.write(bytes);
    writer.commit();
}

void writePair(const QString& firstPath, const QByteArray& firstBytes, const QString& secondPath,
               const QByteArray& secondBytes, Existing existing) {
    const bool firstWasThere = isTaken(firstPath);
    Writer first(firstPath, existing);
    first.write(firstBytes);
    Writer second(secondPath, existing);
    second.write(secondBytes);
    first.sync();
    second.sync();
    std::optional<KeptAside> former;
    if (firstWasThere && existing == Existing::Replace)
        former.emplace(firstPath);
    first.commit();
    try {
        second.commit();
    } catch (const WriteError&) {
        if (!second.isNamed() && former)
            former->putBack();
        else if (!second.isNamed() && !firstWasThere)
            ::unlink(nativeName(firstPath).constData());
        throw;
    }
}

void copy(const QString& source, const QString& path, Existing existing) {
    QFile input(source);
    if (!input.open(QIODevice::ReadOnly))
        throw WriteError(QStringLiteral("%1 cannot be read: %2").arg(source, input.errorString()));
    Writer writer(path, existing);
    QByteArray block;
    while (!(block = input.read(1 << 20)).isEmpty())
        writer.write(block);
    if (input.error() != QFileDevice::NoError)
        throw WriteError(QStringLiteral("%1 cannot be read: %2").arg(source, input.errorString()));
    writer.commit();
}

void publish(const QString& temporaryPath, const QString& path, Existing existing) {
    int error = syncPath(temporaryPath);
    if (error == 0)
        error = rename(temporaryPath, path, existing);
    if (error != 0) {
        ::unlink(nativeName(temporaryPath).constData());
        if (error == EEXIST)
            throw WriteError(QStringLiteral("%1 exists already and was left as it was.").arg(path));
        throw WriteError(
            QStringLiteral("%1 cannot be written whole: %2").arg(path, systemReason(error)));
    }
    if ((error = syncPath(folderOf(path))) != 0)
        throw WriteError(QStringLiteral("%1 was written, but its folder cannot be synced: %2")
                             .arg(path, systemReason(error)));
}

QStringList makeFolders(const QString& folder) {
    QStringList made;
    QString level;
    for (const QString& part :
         QFileInfo(folder).absoluteFilePath().split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        level += QLatin1Char('/') + part;
        const QByteArray name = nativeName(level);
        if (::mkdir(name.constData(), 0700) == 0) {
            ::chmod(name.constData(), 0700);  // mkdir applied the umask
            made << level;
        } else if (errno != EEXIST || !QFileInfo(level).isDir()) {
            throw WriteError(QStringLiteral("The folder %1 cannot be made: %2")
                                 .arg(level, systemReason(errno == EEXIST ? ENOTDIR : errno)));
        }
    }
    return made;
}

}  // namespace whole_file
