#pragma once

#include <QString>

#include <functional>

class Locations;

using LogLine = std::function<void(const QString& line)>;

enum class CreateOutcome { Created, FolderNotMade, NotDeleted };

// Makes database `name` anew in the database folder: deletes an existing
// file of that name, creates the file (dialect 1, page size 4096), every
// table, the secondary indexes and the seed rows, each statement committed
// in a transaction of its own, and reports each step through `log`.
// The caller must make sure no attachment holds the file. Database failures
// are thrown as DatabaseError; what was committed before them stays.
CreateOutcome createDatabase(const Locations& locations, const QString& name, const LogLine& log);
