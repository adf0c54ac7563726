#include "maintenance/leftovers.h"

#include "platform/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <unistd.h>

#include <cerrno>

namespace leftovers {

namespace {

// Removes a file, a link, or a folder with everything in it (links in it are
// removed, never followed).
QString removeEntry(const QFileInfo& entry) {
    const QString path = entry.absoluteFilePath();
    errno = 0;
    const bool removed = entry.isDir() && !entry.isSymLink()
                             ? QDir(path).removeRecursively()
                             : ::unlink(QFile::encodeName(path).constData()) == 0;
    if (removed)
        return QStringLiteral("Removed what a stopped run left behind: ") + path;
    return QStringLiteral("What a stopped run left behind cannot be removed: %1: %2")
        .arg(path, whole_file::systemReason(errno != 0 ? errno : EIO));
}

// Only in the program's own folders: one that is a link is not followed.
void removeMatching(const QString& folder, const QString& pattern, QStringList& lines) {
    if (QFileInfo(folder).isSymLink())
        return;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        {pattern}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDir::Name);
    for (const QFileInfo& entry : entries)
        lines << removeEntry(entry);
}

}  // namespace

QString temporaryNameFor(const QString& path) {
    return path + QStringLiteral(".part-") +
           QString::number(QRandomGenerator::system()->generate64(), 36);
}

namespace {
const QString kStagingPrefix = QStringLiteral(".unzip-part-");
}

QString stagingFolderIn(const QString& folder) {
    return folder + QLatin1Char('/') + kStagingPrefix +
           QString::number(QRandomGenerator::system()->generate64(), 36);
}

bool isInStagingFolder(const QString& entryName) {
    return entryName.startsWith(kStagingPrefix);
}

QStringList removeLeftovers(const Locations& locations) {
    QStringList lines;
    removeMatching(locations.restoredFolder(), QStringLiteral("*.part-*"), lines);
    removeMatching(locations.backupFolder(), QStringLiteral("*.part-*"), lines);
    // libzip writes an archive into a name of its own beside the one it opened.
    removeMatching(locations.zipFolder(), QStringLiteral("*.zip.part*"), lines);
    removeMatching(locations.unzipFolder(), kStagingPrefix + QLatin1Char('*'), lines);
    removeMatching(locations.temporaryFolder(), QStringLiteral("*"), lines);
    return lines;
}

}  // namespace leftovers
