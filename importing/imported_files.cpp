#include "importing/imported_files.h"

#include "datastore/settings_store.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>

QString fileDigest(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return QString();
    return QString::fromLatin1(hash.result().toHex());
}

ImportedFiles::File ImportedFiles::look(const QString& path) const {
    File file{path, fileDigest(path), QString()};
    if (!file.digest.isEmpty())
        file.importedBefore = settings_.importedFile(databaseName_, file.digest);
    return file;
}

void ImportedFiles::record(const File& file, int records) {
    if (file.digest.isEmpty())
        return;
    settings_.recordImportedFile(
        databaseName_, file.digest,
        QStringLiteral("%1, %2 records, %3")
            .arg(file.path)
            .arg(records)
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm"))));
}
