#include "datastore/output_target.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace output_target {

namespace {

// The header page: a 16-byte page header whose first byte is the page type
// (1 for the header page), then the page size and the on-disk structure's
// version, two bytes each, in the byte order of the machine that made it.
constexpr char kHeaderPageType = 1;
constexpr int kPageSizeOffset = 16;
constexpr int kOdsVersionOffset = 18;
constexpr quint16 kFirebirdFlag = 0x8000;

bool isPageSize(quint16 size) {
    return size >= 1024 && size <= 32768 && (size & (size - 1)) == 0;
}

bool isOdsVersion(quint16 version) {
    const quint16 major = version & ~kFirebirdFlag;
    return major >= 8 && major <= 20;
}

// The path with every link resolved, also when the file does not exist yet.
QString resolved(const QString& path) {
    const QFileInfo file(path);
    if (file.exists())
        return file.canonicalFilePath();
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? file.absolutePath() : folder) + QLatin1Char('/') + file.fileName();
}

bool isInside(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

}  // namespace

bool isDatabaseFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(kOdsVersionOffset + 2);
    if (start.size() < kOdsVersionOffset + 2 || start[0] != kHeaderPageType)
        return false;
    const auto number = [&start](int offset, bool bigEndian) {
        const uchar* bytes = reinterpret_cast<const uchar*>(start.constData()) + offset;
        return bigEndian ? qFromBigEndian<quint16>(bytes) : qFromLittleEndian<quint16>(bytes);
    };
    for (const bool bigEndian : {false, true})
        if (isPageSize(number(kPageSizeOffset, bigEndian)) &&
            isOdsVersion(number(kOdsVersionOffset, bigEndian)))
            return true;
    return false;
}

namespace {

// The settings file, wherever its folder lies.
bool isSettingsFile(const QString& path) {
    const QFileInfo file(path);
    return file.fileName() == QLatin1String("QUORVEL4.conf") &&
           QFileInfo(file.path()).fileName() == QLatin1String("KELBRIDGE_LABS");
}

}  // namespace

QString refusal(const Locations& locations, const QString& path) {
    const QString target = resolved(path);
    const QString zipFolder = QFileInfo(locations.zipFolder()).path();
    for (const QString& folder : {locations.databaseFolder(), locations.backupFolder(),
                                  locations.restoredFolder(), zipFolder}) {
        if (isInside(target, resolved(folder)))
            return QStringLiteral(
                       "%1 is not written: it is in %2, the program's own folder of "
                       "databases, backups or archives.")
                .arg(path, QDir::toNativeSeparators(folder));
    }
    if (isInside(target, resolved(locations.programFolder())) &&
        !isInside(target, resolved(locations.reportsFolder())))
        return QStringLiteral(
                   "%1 is not written: the program keeps its own files in %2; of its folders "
                   "only %3 takes files.")
            .arg(path, locations.programFolder(), locations.reportsFolder());
    if (isSettingsFile(target))
        return QStringLiteral("%1 is not written: it is the program's settings file.").arg(path);
    const QFileInfo existing(target);
    if (existing.exists() && !existing.isFile())
        return QStringLiteral("%1 is not written: it is not a plain file (a folder, a device or "
                              "a pipe).")
            .arg(path);
    if (existing.isFile() && isDatabaseFile(target))
        return QFileInfo(path).isSymLink()
                   ? QStringLiteral("%1 is not written: it leads to the Firebird database %2.")
                         .arg(path, target)
                   : QStringLiteral("%1 is not written: it is a Firebird database.").arg(path);
    return {};
}

}  // namespace output_target
