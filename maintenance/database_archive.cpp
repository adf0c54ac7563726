#include "maintenance/database_archive.h"

#include "maintenance/leftovers.h"
#include "platform/kbx.h"
#include "platform/termination_signals.h"
#include "platform/whole_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStorageInfo>

#include <zip.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <memory>
#include <optional>

namespace database_archive {

namespace {

QString zipError(zip_t* archive) {
    return QString::fromLocal8Bit(zip_strerror(archive));
}

QString openError(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

void addFile(zip_t* archive, const ArchiveEntry& entry) {
    zip_source_t* source =
        zip_source_file(archive, QFile::encodeName(entry.path).constData(), 0, 0);
    if (!source ||
        zip_file_add(archive, entry.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
        const QString why = zipError(archive);
        if (source)
            zip_source_free(source);
        throw ArchiveError(
            QStringLiteral("%1 cannot be added to the archive: %2").arg(entry.path, why));
    }
}

}  // namespace

void writeArchive(const QList<ArchiveEntry>& entries, const QString& archivePath, bool replace) {
    // libzip writes into a name of its own beside the one opened and renames
    // it to that name when closed: both are kept in a folder of this run's
    // own, which a termination signal, or else the next start, removes.
    const QString partFolder = leftovers::temporaryNameFor(archivePath);
    const RemovedOnTermination removedOnSignal(partFolder);
    if (::mkdir(QFile::encodeName(partFolder).constData(), 0700) != 0)
        throw ArchiveError(QStringLiteral("%1 cannot be made: %2")
                               .arg(partFolder, whole_file::systemReason(errno)));
    const auto removePartFolder = qScopeGuard([&] { QDir(partFolder).removeRecursively(); });
    const QString partPath = partFolder + QLatin1Char('/') + QFileInfo(archivePath).fileName();
    int code = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(partPath).constData(), ZIP_CREATE | ZIP_EXCL, &code);
    if (!archive)
        throw ArchiveError(QStringLiteral("%1 cannot be made: %2").arg(partPath, openError(code)));
    try {
        for (const ArchiveEntry& entry : entries)
            addFile(archive, entry);
    } catch (...) {
        zip_discard(archive);
        throw;
    }
    if (zip_close(archive) != 0) {
        const QString why = zipError(archive);
        zip_discard(archive);
        throw ArchiveError(QStringLiteral("%1 cannot be written: %2").arg(archivePath, why));
    }
    ::chmod(QFile::encodeName(partPath).constData(), 0600);
    try {
        whole_file::publish(partPath, archivePath,
                            replace ? whole_file::Existing::Replace : whole_file::Existing::Refuse);
    } catch (const whole_file::WriteError& error) {
        throw ArchiveError(error.message());
    }
}

namespace {

QString entryName(zip_t* archive, zip_uint64_t index, zip_flags_t encoding) {
    const char* name = zip_get_name(archive, index, encoding);
    if (!name)
        return {};
    return encoding == ZIP_FL_ENC_RAW ? QString::fromLatin1(name) : QString::fromUtf8(name);
}

bool isLinkEntry(zip_t* archive, zip_uint64_t index) {
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0)
        return false;
    return system == ZIP_OPSYS_UNIX && ((attributes >> 16) & S_IFMT) == S_IFLNK;
}

// What one run of unzip wrote into the target folder, taken back when it
// fails.
struct Written {
    QStringList files;
    QStringList folders;  // in the order made

    void removeAll() const {
        for (auto file = files.crbegin(); file != files.crend(); ++file)
            ::unlink(QFile::encodeName(*file).constData());
        for (auto folder = folders.crbegin(); folder != folders.crend(); ++folder)
            ::rmdir(QFile::encodeName(*folder).constData());
    }
};

// Unpacks into a folder that is a link would write wherever it leads.
void refuseLinkedFolder(const QString& folder) {
    for (const QString& level : {folder, QFileInfo(folder).path()})
        if (QFileInfo(level).isSymLink())
            throw ArchiveError(QStringLiteral("Not unpacked: %1 is a link; archives are unpacked "
                                              "only into a folder of their own.")
                                   .arg(level));
}

// Makes every missing level of the target folder, and keeps the folder
// itself for its owner only.
void makeTargetFolder(const QString& folder, Written& written) {
    written.folders << whole_file::makeFolders(folder);
    ::chmod(QFile::encodeName(folder).constData(), 0700);
}

// Why the folders of an entry's path below `folder` cannot be there: a level
// exists as something other than a plain folder (a link, a file). With
// `written`, the missing levels are made; throws WriteError when one cannot
// be.
QString entryFolderRefusal(const QString& folder, const QString& entryFolder, Written* written) {
    QString level = folder;
    for (const QString& part : entryFolder.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        level += QLatin1Char('/') + part;
        const QFileInfo existing(level);
        if (existing.isSymLink() || (existing.exists() && !existing.isDir()))
            return QStringLiteral("a folder of its path cannot be made in the target folder");
        if (!existing.exists() && written)
            written->folders << whole_file::makeFolders(level);
    }
    return {};
}

QString takenRefusal(const QString& target) {
    return QStringLiteral("%1 exists already and was left as it was").arg(target);
}

// A folder of the run's own inside the target folder, which every entry is
// unpacked into before any is given its place; removed with what is left in
// it, and by a termination signal too.
class Staging {
public:
    explicit Staging(const QString& folder)
        : path_(leftovers::stagingFolderIn(folder)), removedOnSignal_(path_) {
        if (::mkdir(QFile::encodeName(path_).constData(), 0700) != 0)
            throw whole_file::WriteError(QStringLiteral("The folder %1 cannot be made: %2")
                                             .arg(path_, whole_file::systemReason(errno)));
    }
    ~Staging() { QDir(path_).removeRecursively(); }
    Staging(const Staging&) = delete;

    // The folders of `relative` below the staging folder, never the staging
    // folder itself: once a termination signal has removed it, nothing of
    // the run makes it again for the ending process to leave behind.
    void makeFolders(const QString& relative) const {
        QString level = path_;
        for (const QString& part : relative.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
            level += QLatin1Char('/') + part;
            if (::mkdir(QFile::encodeName(level).constData(), 0700) != 0 && errno != EEXIST)
                throw whole_file::WriteError(QStringLiteral("The folder %1 cannot be made: %2")
                                                 .arg(level, whole_file::systemReason(errno)));
        }
    }
    Staging& operator=(const Staging&) = delete;
    QString path() const { return path_; }

private:
    QString path_;
    RemovedOnTermination removedOnSignal_;  // from before the folder is made
};

struct StagedEntry {
    QString name;
    bool isFolder;
};

struct EntryFile {
    zip_file_t* file;
    ~EntryFile() {
        if (file)
            zip_fclose(file);
    }
};

// Copies one entry into a new file, which must not exist yet; nothing is
// left under its name when this fails.
void extractEntry(zip_t* archive, zip_uint64_t index, const QString& name, const QString& target) {
    EntryFile entry{zip_fopen_index(archive, index, 0)};
    if (!entry.file)
        throw ArchiveError(
            QStringLiteral("%1 cannot be read from the archive: %2").arg(name, zipError(archive)));
    whole_file::Writer writer(target, whole_file::Existing::Refuse);
    char buffer[1 << 16];
    for (;;) {
        const zip_int64_t read = zip_fread(entry.file, buffer, sizeof buffer);
        if (read < 0)
            throw ArchiveError(
                QStringLiteral("%1 cannot be read from the archive: %2")
                    .arg(name, QString::fromLocal8Bit(zip_file_strerror(entry.file))));
        if (read == 0)
            break;
        writer.write(buffer, read);
    }
    writer.commit();
}

// What the entries to be unpacked take once unpacked, as the archive says.
quint64 unpackedSize(zip_t* archive) {
    quint64 total = 0;
    const zip_int64_t entries = zip_get_num_entries(archive, 0);
    for (zip_int64_t index = 0; index < entries; ++index) {
        zip_stat_t stat;
        if (zip_stat_index(archive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
            continue;
        total = stat.size > std::numeric_limits<quint64>::max() - total
                    ? std::numeric_limits<quint64>::max()
                    : total + stat.size;
    }
    return total;
}

// The space free for the user on the file system `folder` is, or will be, on.
qint64 freeSpaceFor(const QString& folder) {
    QString level = QDir::cleanPath(folder);
    while (!QFileInfo(level).exists() && level.size() > 1)
        level = QFileInfo(level).path();
    const QStorageInfo storage(level);
    return storage.isValid() ? storage.bytesAvailable() : std::numeric_limits<qint64>::max();
}

}  // namespace

QString archiveName(const QDateTime& when) {
    return QStringLiteral("QUORVEL-") + kbx::_kbx_yyyy_mm_dd_hh_mm_ss(when) +
           QStringLiteral(".zip");
}

QString zipDatabaseFolder(const Locations& locations, const QDateTime& when) {
    const QFileInfoList files =
        QDir(locations.databaseFolder()).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    if (files.isEmpty())
        throw ArchiveError(
            QStringLiteral("The database folder %1 holds no file: nothing was zipped.")
                .arg(locations.databaseFolder()));
    if (!locations.ensureFolder(locations.zipFolder()))
        throw ArchiveError(QStringLiteral("%1 cannot be made.").arg(locations.zipFolder()));
    const QString archivePath = locations.zipFolder() + QLatin1Char('/') + archiveName(when);
    QList<ArchiveEntry> entries;
    for (const QFileInfo& file : files)
        entries.append({file.fileName(), file.filePath()});
    writeArchive(entries, archivePath, false);
    return archivePath;
}

QString refusalOf(const QString& entryName, bool isLink) {
    if (isLink)
        return QStringLiteral("it is a link");
    if (entryName.isEmpty())
        return QStringLiteral("it has no name");
    if (entryName.startsWith(QLatin1Char('/')) ||
        (entryName.size() > 1 && entryName[1] == QLatin1Char(':')))
        return QStringLiteral("its name is an absolute path");
    if (entryName.contains(QStringLiteral("..")))
        return QStringLiteral("its name contains \"..\"");
    if (entryName.contains(QLatin1Char('\\')))
        return QStringLiteral("its name contains a backslash");
    for (const QChar character : entryName)
        if (character.unicode() < 0x20 || character.unicode() == 0x7f)
            return QStringLiteral("its name contains a control character");
    return {};
}

Unpacked unzipArchive(const QString& archivePath, const QString& folder) {
    return unzipArchive(archivePath, folder, freeSpaceFor(folder));
}

namespace {

// Why an entry may not be unpacked into `folder`, decided before anything is
// unpacked: the staging folder is checked as well for an entry the archive
// holds twice.
QString entryRefusal(zip_t* archive, zip_uint64_t index, const QString& folder,
                     const QString& staging) {
    const QString name = entryName(archive, index, ZIP_FL_ENC_GUESS);
    // The stored bytes are checked too: a guessed code page turns a control
    // character into a printable one.
    QString refusal =
        refusalOf(entryName(archive, index, ZIP_FL_ENC_RAW), isLinkEntry(archive, index));
    if (refusal.isEmpty())
        refusal = refusalOf(name, false);
    if (refusal.isEmpty() && leftovers::isInStagingFolder(name))
        refusal = QStringLiteral("its folder's name is that of unzip's own staging folder");
    if (!refusal.isEmpty())
        return refusal;
    const bool isFolder = name.endsWith(QLatin1Char('/'));
    const QString entryFolder = isFolder ? name : name.section(QLatin1Char('/'), 0, -2);
    for (const QString& tree : {folder, staging}) {
        refusal = entryFolderRefusal(tree, entryFolder, nullptr);
        if (refusal.isEmpty() && !isFolder && whole_file::isTaken(tree + QLatin1Char('/') + name))
            refusal = takenRefusal(folder + QLatin1Char('/') + name);
        if (!refusal.isEmpty())
            return refusal;
    }
    return {};
}

// Gives each staged entry its place in `folder`, never over a file: a name
// that appeared since the entries were checked is refused.
void placeEntries(const QList<StagedEntry>& staged, const QString& staging, const QString& folder,
                  Unpacked& unpacked, Written& written, QString& entry) {
    for (const StagedEntry& staged : staged) {
        entry = staged.name;
        const QString entryFolder =
            staged.isFolder ? staged.name : staged.name.section(QLatin1Char('/'), 0, -2);
        const QString target = folder + QLatin1Char('/') + staged.name;
        QString refusal = entryFolderRefusal(folder, entryFolder, &written);
        if (refusal.isEmpty() && !staged.isFolder && whole_file::isTaken(target))
            refusal = takenRefusal(target);
        if (!refusal.isEmpty()) {
            unpacked.refused.append({staged.name, refusal});
            continue;
        }
        if (staged.isFolder)
            continue;
        whole_file::publish(staging + QLatin1Char('/') + staged.name, target,
                            whole_file::Existing::Refuse);
        written.files.append(target);
        unpacked.files.append(staged.name);
    }
}

}  // namespace

Unpacked unzipArchive(const QString& archivePath, const QString& folder, qint64 freeBytes) {
    int code = 0;
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(
        zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code),
        &zip_discard);
    if (!archive)
        throw ArchiveError(
            QStringLiteral("%1 cannot be read: %2").arg(archivePath, openError(code)));
    refuseLinkedFolder(folder);
    const quint64 needed = unpackedSize(archive.get());
    if (freeBytes < 0 || needed > quint64(freeBytes))
        throw ArchiveError(QStringLiteral("%1 was not unpacked: its files take %2 bytes, and %3 "
                                          "has %4 bytes free.")
                               .arg(archivePath)
                               .arg(needed)
                               .arg(folder)
                               .arg(freeBytes));
    Written written;
    QString entry;
    QString stagingPath;
    // Every entry is in place, or none is: held from the first move to the
    // last, or to the end of taking them back.
    std::optional<TerminationDeferred> whole;
    try {
        makeTargetFolder(folder, written);
        const Staging staging(folder);
        stagingPath = staging.path();
        Unpacked unpacked{folder, {}, {}};
        QList<StagedEntry> staged;
        const zip_int64_t entries = zip_get_num_entries(archive.get(), 0);
        for (zip_int64_t index = 0; index < entries; ++index) {
            const QString name = entryName(archive.get(), index, ZIP_FL_ENC_GUESS);
            entry = name;
            const QString refusal = entryRefusal(archive.get(), index, folder, staging.path());
            if (!refusal.isEmpty()) {
                unpacked.refused.append({name, refusal});
                continue;
            }
            staged.append({name, name.endsWith(QLatin1Char('/'))});
            if (staged.back().isFolder)
                continue;
            staging.makeFolders(name.section(QLatin1Char('/'), 0, -2));
            extractEntry(archive.get(), index, name, staging.path() + QLatin1Char('/') + name);
        }
        whole.emplace();
        placeEntries(staged, staging.path(), folder, unpacked, written, entry);
        return unpacked;
    } catch (const ProgramError& error) {
        written.removeAll();
        QString reason = error.message();
        if (!stagingPath.isEmpty())
            reason.replace(stagingPath, folder);
        if (!reason.endsWith(QLatin1Char('.')))
            reason += QLatin1Char('.');
        throw ArchiveError(QStringLiteral("Unpacking stopped at %1: %2 What this unzip had "
                                          "unpacked into %3 was removed.")
                               .arg(entry.isEmpty() ? folder : entry, reason, folder));
    }
}

QString unpackedMessage(const Unpacked& unpacked) {
    QString text =
        unpacked.files.isEmpty()
            ? QStringLiteral("No file of the archive was unpacked into: ") + unpacked.folder
            : QStringLiteral("The databases have restored to: ") + unpacked.folder +
                  QStringLiteral(
                      "\nYOU will need to use your file manager to\n"
                      "move the file into the live directory\n"
                      "This program will NOT overwrite the 'live' files.");
    if (!unpacked.refused.isEmpty()) {
        text += QStringLiteral("\n\nThese entries of the archive were NOT unpacked:");
        for (const Refusal& refusal : unpacked.refused)
            text += QStringLiteral("\n  %1: %2").arg(refusal.entry, refusal.reason);
    }
    return text;
}

}  // namespace database_archive
