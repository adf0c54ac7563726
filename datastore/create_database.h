#pragma once

#include <QString>

#include <functional>

class Locations;

using LogLine = std::function<void(const QString& line)>;

enum class CreateOutcome { Created, FolderNotMade, NotDeleted };

// Makes database `name` anew in the database folder: deletes an existing
// file of that name, creates the file (dialect 1, page size 4096), every
// table, the secondary indexes, the seed rows and the schema version, each
// statement committed in a transaction of its own, and reports each step
// through `log`.
// An existing file is dropped through Firebird, so one held open is never
// replaced. Database failures are thrown as DatabaseError; what was
// committed before them stays.
CreateOutcome createDatabase(const Locations& locations, const QString& name, const LogLine& log);

// Deletes a database file through Firebird, which refuses with a
// DatabaseError while another attachment (of any process) holds it; a file
// that is no database is deleted as a file. Returns false when the file
// could not be deleted; true also when there was none.
bool removeDatabaseFile(const QString& path);
