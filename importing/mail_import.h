#pragma once

#include "importing/importers.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>

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
};

// Imports the file. Throws ImportError, naming the file and the line, when
// the file cannot be read or a line breaks a rule, and DatabaseError when
// the database refuses; either way nothing of the run is stored.
Report importFile(MailKind kind, const QSqlDatabase& connection, const QString& path,
                  const Log& log, const Progress& progress);

}  // namespace mail_import
