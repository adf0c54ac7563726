#pragma once

#include "importing/imported_files.h"
#include "importing/importers.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <optional>

// One import of a saved-mail file into the job search table: the whole file
// in one transaction, so that a file either is imported whole or leaves the
// database as it was.
namespace mail_import {

using Log = std::function<void(const QString&)>;
// After each pass of the reading loop: the passes so far, the bytes read and
// the file's size.
using Progress = std::function<void(int passes, qint64 bytesRead, qint64 fileSize)>;

struct Report {
    int records = 0;
    int passes = 0;
    double firstKey = 0;  // the keys the records were given, lowest and highest
    double lastKey = 0;
};

// Imports the file. Throws FileRefused when it is not a regular file or
// holds no record of the kind, ImportError, naming the file and the line,
// when the file cannot be read or a line breaks a rule or the database
// refuses; either way nothing of the run is stored. `beforeCommit` runs
// inside the run's transaction once every record is in, so that what it
// writes commits with them or not at all.
Report importFile(MailKind kind, const QSqlDatabase& connection, const QString& path,
                  const Log& log, const Progress& progress,
                  const std::function<void(const Report&)>& beforeCommit = {});

// Asked for a file whose content was imported before: true imports it again.
using ImportAgain = std::function<bool(const ImportedFiles::File&)>;

// A file the user chose, imported once as the form and the batch tool
// import it: looked up among the files imported into the database, refused
// before it is read when it is not a regular file, imported again only
// when `importAgain` says so, and recorded as imported in the transaction
// of its records, with one history entry for the whole import (the file,
// its digest, the importer, the records added and the range of their
// keys); a file that gives no record is not recorded, so that the importer
// of its kind can still take it. Nothing when the user declined;
// throws as importFile() does.
std::optional<Report> importOnce(MailKind kind, const QSqlDatabase& connection, const QString& path,
                                 const ImportAgain& importAgain, const Log& log,
                                 const Progress& progress);

// The closing line of an import: how many records came from which file.
QString importedLine(const QString& path, int records);

}  // namespace mail_import
