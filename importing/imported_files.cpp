#include "importing/imported_files.h"

#include "datastore/imported_file_table.h"
#include "importing/import_run.h"
#include "platform/database_error.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>

#include <sys/stat.h>
#include <cerrno>
#include <cstring>

QString fileDigest(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return QString();
    return QString::fromLatin1(hash.result().toHex());
}

QString notAMailFile(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return QStringLiteral("The file %1 cannot be opened: %2")
            .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
    if (!S_ISREG(status.st_mode))
        return QStringLiteral(
                   "%1 is not a regular file (it is a %2); only a saved mail file can be "
                   "imported. Nothing was read or imported.")
            .arg(path, S_ISDIR(status.st_mode)    ? QStringLiteral("folder")
                       : S_ISFIFO(status.st_mode) ? QStringLiteral("pipe")
                       : S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)
                           ? QStringLiteral("device")
                           : QStringLiteral("socket or other special file"));
    return QString();
}

ImportedFiles::File ImportedFiles::look(const QString& path) const {
    const QString refusal = notAMailFile(path);
    if (!refusal.isEmpty())
        throw FileRefused(refusal);
    File file{path, fileDigest(path), QString()};
    if (file.digest.isEmpty())
        return file;
    try {
        if (const auto before = imported_file_table::latest(connection_, file.digest))
            file.importedBefore = imported_file_table::description(*before);
    } catch (const DatabaseError& error) {
        throw ImportError(QStringLiteral("The record of the files imported into this database "
                                         "cannot be read: %1\nNothing of %2 was imported.")
                              .arg(error.message(), path));
    }
    return file;
}

void ImportedFiles::record(const File& file, MailKind kind, int records) const {
    if (file.digest.isEmpty())
        return;
    imported_file_table::insert(connection_, {file.digest, QDateTime::currentDateTime(),
                                              kindName(kind), file.path, records});
}
