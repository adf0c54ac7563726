#pragma once

#include "datastore/locations.h"

#include <QString>

// Where the program may put a file the user asked for (a report, a PDF, a
// CSV file, an evidence pack): never into its own folders but the reports
// folder, never over its settings file, a Firebird database or anything but
// a plain file, wherever it lies and whatever link leads to it.
namespace output_target {

// Why `path` may not be written; empty when it may. Whether a file there
// may be replaced is the caller's question.
QString refusal(const Locations& locations, const QString& path);

// Whether the file begins with the header page of a Firebird (or InterBase)
// database.
bool isDatabaseFile(const QString& path);

}  // namespace output_target
