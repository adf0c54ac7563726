#include "maintenance/backup_restore.h"

#include "datastore/own_connection.h"
#include "datastore/record_history.h"
#include "datastore/table_names.h"
#include "maintenance/leftovers.h"
#include "platform/database_error.h"
#include "platform/firebird_services.h"
#include "platform/kbx.h"
#include "platform/sql_statement.h"
#include "platform/termination_signals.h"
#include "platform/transaction.h"
#include "platform/whole_file.h"
#include "platform/windows1252.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <sys/stat.h>

namespace backup_restore {

namespace {

constexpr int kRestorePageBuffers = 3000;

// "<name>_<stamp>.gdk", or for a second backup in the same second
// "<name>_<stamp>-2.gdk", then "-3" and so on.
QString freeBackupName(const QString& stamped) {
    QString path = stamped;
    for (int number = 2; whole_file::isTaken(path); ++number)
        path = stamped.chopped(4) + QStringLiteral("-%1.gdk").arg(number);
    return path;
}

// Gives a file the service made its final name, readable by its owner only,
// never over an existing file.
void publish(const QString& temporary, const QString& path) {
    ::chmod(QFile::encodeName(temporary).constData(), 0600);
    try {
        whole_file::publish(temporary, path, whole_file::Existing::Refuse);
    } catch (const whole_file::WriteError& error) {
        throw DatabaseError(error.message());
    }
}

// Why a backup cannot be restored before the service is asked to; empty
// when it can.
QString backupRefusal(const QString& backupPath) {
    const QFileInfo backup(backupPath);
    if (!backup.exists())
        return QStringLiteral("%1 does not exist.").arg(backupPath);
    if (!backup.isFile())
        return QStringLiteral("%1 is not a regular file.").arg(backupPath);
    if (restoreTargetName(backupPath).startsWith(QLatin1Char('.')))
        return QStringLiteral("the name of %1 gives no database name.").arg(backupPath);
    return QString();
}

}  // namespace

QString backupFileName(const QString& databaseName, const QDateTime& when) {
    return databaseName + QLatin1Char('_') + kbx::_kbx_yyyy_mm_dd_hh_mm_ss(when) +
           QStringLiteral(".gdk");
}

QString restoreTargetName(const QString& backupPath) {
    // A database name may hold "_" itself: a backup named by this program
    // gives back its whole name, the stamp taken off.
    static const QRegularExpression stamped(
        QStringLiteral("^(.+)_\\d{4}-\\d{2}-\\d{2}-\\d{2}-\\d{2}-\\d{2}(-\\d+)?$"));
    const QString base = QFileInfo(backupPath).completeBaseName();
    const QRegularExpressionMatch match = stamped.match(base);
    const QString head =
        match.hasMatch() ? match.captured(1) : base.section(QLatin1Char('_'), 0, 0);
    return head + QStringLiteral(".gdb");
}

QString backupDatabase(const Locations& locations, const QString& databasePath,
                       const Output& output) {
    locations.ensureFolder(locations.backupFolder());
    const QString stamped =
        locations.backupFolder() + QLatin1Char('/') +
        backupFileName(QFileInfo(databasePath).completeBaseName(), QDateTime::currentDateTime());
    output.summary(QStringLiteral("Backing up: ") + databasePath);
    // Written under a temporary name: a backup cut short never looks whole.
    const QString temporary = leftovers::temporaryNameFor(stamped);
    const RemovedOnTermination removedOnSignal(temporary);
    fb::backup(databasePath, temporary, databaseAccount(), output.progress);
    const QString backupPath = freeBackupName(stamped);
    publish(temporary, backupPath);
    output.summary(QStringLiteral("Backed up to: ") + backupPath);
    return backupPath;
}

AllBackedUp backupAll(const Locations& locations, const Output& output) {
    AllBackedUp all;
    const QFileInfoList files =
        QDir(locations.databaseFolder())
            .entryInfoList({QStringLiteral("*.gdb"), QStringLiteral("*.GDB")}, QDir::Files,
                           QDir::Name);
    for (const QFileInfo& file : files) {
        try {
            all.backups << backupDatabase(locations, file.filePath(), output);
        } catch (const ProgramError& error) {
            all.failed << file.filePath();
            output.summary(
                QStringLiteral("Not backed up: %1: %2").arg(file.filePath(), error.message()));
        }
        if (output.fileDone)
            output.fileDone();
    }
    return all;
}

namespace {

int rowsOf(const QSqlDatabase& connection, const QString& table) {
    QSqlQuery query = executed(connection, QStringLiteral("SELECT COUNT(*) FROM %1").arg(table));
    return query.next() ? query.value(0).toInt() : 0;
}

// A restored database that keeps a history notes there that its records are
// now those of the backup. One made before the history gets its baseline
// when it is upgraded, as any older database does.
void noteRestoreInHistory(const QString& database, const QString& backupPath) {
    onOwnConnection(database, [&](const QSqlDatabase& connection) {
        if (!connection.tables().contains(tables::history))
            return;
        const QString backup = windows1252::storable(QFileInfo(backupPath).fileName());
        inTransaction(connection, [&] {
            record_history::appendEntry(
                connection, {QString(), QString(), record_history::kRestored,
                             QStringLiteral("RESTORE OF ") + backup,
                             record_history::factLines(
                                 {{QStringLiteral("BACKUP"), windows1252::storable(backupPath)},
                                  {QStringLiteral("PAYMENT RECORDS"),
                                   QString::number(rowsOf(connection, tables::payments))},
                                  {QStringLiteral("JOB SEARCH RECORDS"),
                                   QString::number(rowsOf(connection, tables::jobSearch))}})});
        });
    });
}

}  // namespace

bool restoreBackup(const Locations& locations, const QString& backupPath, const Output& output) {
    const QString folder = locations.restoredFolder();
    output.summary(QStringLiteral("Restoring from: ") + backupPath);
    if (const QString refusal = backupRefusal(backupPath); !refusal.isEmpty()) {
        output.summary(QStringLiteral("Not restored: ") + refusal);
        return false;
    }
    if (QFileInfo(folder).isSymLink()) {
        output.summary(QStringLiteral("Not restored: %1 is a link; restores go only into a folder "
                                      "of their own.")
                           .arg(folder));
        return false;
    }
    locations.ensureFolder(folder);
    const QString target = folder + QLatin1Char('/') + restoreTargetName(backupPath);
    if (whole_file::isTaken(target)) {
        output.summary(QStringLiteral("Not restored: %1 exists already. Move or rename it, then "
                                      "restore again.")
                           .arg(target));
        return false;
    }
    // Restored under a temporary name and named only once it opens: a
    // restore that fails or is killed leaves nothing under the target's name.
    const QString temporary = leftovers::temporaryNameFor(target);
    const RemovedOnTermination removedOnSignal(temporary);
    fb::restore(backupPath, temporary, databaseAccount(), {4096, kRestorePageBuffers},
                output.progress);
    try {
        fb::Attachment::attach(temporary, databaseAccount()).detach();
    } catch (const DatabaseError& error) {
        fb::removeDatabaseFile(temporary, databaseAccount());
        output.summary(QStringLiteral("Not restored: the restored database does not open: ") +
                       error.message());
        return false;
    }
    try {
        noteRestoreInHistory(temporary, backupPath);
    } catch (const DatabaseError& error) {
        fb::removeDatabaseFile(temporary, databaseAccount());
        output.summary(QStringLiteral("Not restored: the restore could not be written into the "
                                      "history of the restored database: ") +
                       error.message());
        return false;
    }
    publish(temporary, target);
    output.summary(QStringLiteral("Restored to: ") + target);
    output.summary(QStringLiteral("The restored database opens."));
    output.summary(QStringLiteral("You must manually move it to ") + locations.databaseFolder() +
                   QLatin1Char('/'));
    return true;
}

}  // namespace backup_restore
