#pragma once

#include "importing/importers.h"

#include <QSqlDatabase>
#include <QString>

// The SHA-256 of a file's content in hexadecimal; empty when the file
// cannot be read.
QString fileDigest(const QString& path);

// Why the file at `path` cannot be read as saved mail, told before anything
// of it is read: it is missing, or it is not a regular file (a pipe, a
// device or a folder, also one a symbolic link leads to), which could give
// other content at every read or never end. Empty when it is a regular file.
QString notAMailFile(const QString& path);

// The mail files imported into one database, known by their content, as
// the database itself records them, so that a file imported twice is
// noticed.
class ImportedFiles {
public:
    explicit ImportedFiles(const QSqlDatabase& connection) : connection_(connection) {}

    // A file about to be imported: its digest, and what was recorded when
    // the same content was imported before (empty when it never was).
    struct File {
        QString path;
        QString digest;
        QString importedBefore;
    };
    // Throws FileRefused, reading nothing, for what notAMailFile() refuses,
    // and ImportError when the database's record cannot be read.
    File look(const QString& path) const;
    // Records that the file was imported, with its path, kind, count and
    // time, in the transaction of the import. Throws DatabaseError.
    void record(const File& file, MailKind kind, int records) const;

private:
    QSqlDatabase connection_;
};
