#pragma once

#include "datastore/locations.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

// Backups of the database files and restores of them into a folder of
// their own, through Firebird's services: a restore never replaces a file.
// What the form shows comes through `Output`: a line per file handled, and
// the services' progress lines as they come.
namespace backup_restore {

struct Output {
    std::function<void(const QString&)> summary;
    std::function<void(const QString&)> progress;
    // Called after each file a run of several has handled; may be empty.
    std::function<void()> fileDone = {};
};

// "<name>_<stamp>.gdk".
QString backupFileName(const QString& databaseName, const QDateTime& when);
// "<head>.gdb": the database's name for a backup this program named
// ("<name>_<stamp>.gdk", "<name>_<stamp>-2.gdk"); otherwise the backup's base name up to its first
// "_", or the whole base name when it has none.
QString restoreTargetName(const QString& backupPath);

// Backs up one database file into the backup folder, stamped with the
// moment it starts ("-2" added when a backup of that second exists), under a
// temporary name until it is complete; returns the backup's path. Throws
// DatabaseError, leaving no backup.
QString backupDatabase(const Locations& locations, const QString& databasePath,
                       const Output& output);
struct AllBackedUp {
    QStringList backups;
    QStringList failed;  // the databases not backed up, each named in a summary line with why
};
// Every database file of the database folder, each with its own stamp; one
// that fails is named and the others are backed up all the same.
AllBackedUp backupAll(const Locations& locations, const Output& output);

// Restores a backup into the restored folder under a temporary name, opens
// the new database once to check it and only then gives it its name.
// Returns whether a database that opens was restored; an existing target,
// and a restored folder that is a link, is reported and left alone, and a
// backup that is no regular file or whose name gives no database name is
// refused. Throws
// DatabaseError when the service fails or finds the backup damaged; nothing
// is left in the folder then.
bool restoreBackup(const Locations& locations, const QString& backupPath, const Output& output);

}  // namespace backup_restore
