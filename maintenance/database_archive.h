#pragma once

#include "datastore/locations.h"
#include "platform/program_error.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// ZIP archives of the database folder, and their unpacking into a folder of
// the user's own from which files are moved by hand. Neither ever writes
// into the database folder.
namespace database_archive {

// A file that could not be read or written; the message names it.
class ArchiveError : public ProgramError {
public:
    using ProgramError::ProgramError;
};

// "QUORVEL-<stamp>.zip".
QString archiveName(const QDateTime& when);

struct ArchiveEntry {
    QString name;  // in the archive; "/" separates its folders
    QString path;  // of the file to take
};

// Writes a new archive of the files, under a temporary name first, and
// gives it its name only when it is complete and on disk; a file of that
// name is replaced only when `replace`. Throws ArchiveError.
void writeArchive(const QList<ArchiveEntry>& entries, const QString& archivePath, bool replace);

// Packs every file of the database folder into a new archive in the zip
// folder and returns its path. The archive appears under its name only when
// it is complete and on disk. Nothing may hold a database file open
// meanwhile. Throws ArchiveError.
QString zipDatabaseFolder(const Locations& locations, const QDateTime& when);

struct Refusal {
    QString entry;
    QString reason;
};

struct Unpacked {
    QString folder;
    QStringList files;
    QList<Refusal> refused;
};

// Why an entry of an archive may not be unpacked; empty when it may.
QString refusalOf(const QString& entryName, bool isLink);

// Unpacks an archive into `folder`, made if missing, for its owner only. An
// entry that could leave the folder or is a link, and one whose file exists
// already, is refused and listed; the others are unpacked, all or none:
// into a staging folder inside `folder` first, and moved into place only
// when every one is written, never over a file. Throws ArchiveError, with
// the system's reason, when the archive cannot be read or an entry cannot be
// written: what this run unpacked is removed then. An archive whose files
// would take more than the free space, and a folder that is a link or lies
// in one, is refused before anything is written.
Unpacked unzipArchive(const QString& archivePath, const QString& folder);
// The same with the free space given, in bytes.
Unpacked unzipArchive(const QString& archivePath, const QString& folder, qint64 freeBytes);

// What the user is told after unpacking: where the files are, that they are
// moved by hand, and each entry that was refused.
QString unpackedMessage(const Unpacked& unpacked);

}  // namespace database_archive
