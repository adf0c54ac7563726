#include "maintenance/backup_restore.h"

#include "platform/database_error.h"
#include "platform/firebird_services.h"
#include "platform/kbx.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace backup_restore {

namespace {

constexpr int kRestorePageBuffers = 3000;

}  // namespace

QString backupFileName(const QString& databaseName, const QDateTime& when) {
    return databaseName + QLatin1Char('_') + kbx::_kbx_yyyy_mm_dd_hh_mm_ss(when) +
           QStringLiteral(".gdk");
}

QString restoreTargetName(const QString& backupPath) {
    // A database name may hold "_" itself: a backup named by this program
    // gives back its whole name, the stamp taken off.
    static const QRegularExpression stamped(
        QStringLiteral("^(.+)_\\d{4}-\\d{2}-\\d{2}-\\d{2}-\\d{2}-\\d{2}$"));
    const QString base = QFileInfo(backupPath).completeBaseName();
    const QRegularExpressionMatch match = stamped.match(base);
    const QString head =
        match.hasMatch() ? match.captured(1) : base.section(QLatin1Char('_'), 0, 0);
    return head + QStringLiteral(".gdb");
}

QString backupDatabase(const Locations& locations, const QString& databasePath,
                       const Output& output) {
    locations.ensureFolder(locations.backupFolder());
    const QString backupPath =
        locations.backupFolder() + QLatin1Char('/') +
        backupFileName(QFileInfo(databasePath).completeBaseName(), QDateTime::currentDateTime());
    output.summary(QStringLiteral("Backing up: ") + databasePath);
    fb::backup(databasePath, backupPath, databaseAccount(), output.progress);
    output.summary(QStringLiteral("Backed up to: ") + backupPath);
    return backupPath;
}

QStringList backupAll(const Locations& locations, const Output& output) {
    QStringList backups;
    const QFileInfoList files =
        QDir(locations.databaseFolder())
            .entryInfoList({QStringLiteral("*.gdb"), QStringLiteral("*.GDB")}, QDir::Files,
                           QDir::Name);
    for (const QFileInfo& file : files) {
        backups << backupDatabase(locations, file.filePath(), output);
        if (output.fileDone)
            output.fileDone();
    }
    return backups;
}

bool restoreBackup(const Locations& locations, const QString& backupPath, const Output& output) {
    locations.ensureFolder(locations.restoredFolder());
    const QString target =
        locations.restoredFolder() + QLatin1Char('/') + restoreTargetName(backupPath);
    output.summary(QStringLiteral("Restoring from: ") + backupPath);
    if (QFileInfo::exists(target)) {
        output.summary(QStringLiteral("Not restored: %1 exists already. Move or rename it, then "
                                      "restore again.")
                           .arg(target));
        return false;
    }
    fb::restore(backupPath, target, databaseAccount(), {4096, kRestorePageBuffers},
                output.progress);
    output.summary(QStringLiteral("Restored to: ") + target);
    bool opens = true;
    try {
        fb::Attachment::attach(target, databaseAccount()).detach();
        output.summary(QStringLiteral("The restored database opens."));
    } catch (const DatabaseError& error) {
        opens = false;
        output.summary(QStringLiteral("The restored database does not open: ") + error.message());
    }
    output.summary(QStringLiteral("You must manually move it to ") + locations.databaseFolder() +
                   QLatin1Char('/'));
    return opens;
}

}  // namespace backup_restore
