#pragma once

#include "platform/firebird.h"

#include <QString>

#include <functional>

// Firebird's backup and restore services: real Firebird backups, which
// Firebird's own gbak reads and writes too. Each passes the service's
// progress lines to `line` as the service sends them, and throws
// DatabaseError with the service's message when it fails; a backup file of
// a failed backup is removed.
namespace fb {

using ServiceLine = std::function<void(const QString& line)>;

// The engine's restore asks on the terminal for a backup's next volume when
// a backup ends early, and waits for an answer. The program never reads its
// standard input, so it is closed off: the question is answered at once with
// nothing and the restore fails instead of waiting.
void keepEngineOffTheTerminal();

void backup(const QString& database, const QString& backupFile, const Account& account,
            const ServiceLine& line);

struct RestoreOptions {
    int pageSize = 4096;
    int pageBuffers = 0;  // 0 leaves the engine's default
};

// Creates `database` from the backup; a file that exists already is refused
// by the service and left as it was. A backup that ends early, or that the
// service reads on over damaged parts of, fails with the reason, and the
// database it made is removed once the service has let go of it.
void restore(const QString& backupFile, const QString& database, const Account& account,
             const RestoreOptions& options, const ServiceLine& line);

// Removes a database file that a failed restore made: through Firebird
// first, which refuses while anything holds it, else as a plain file.
void removeDatabaseFile(const QString& path, const Account& account);

}  // namespace fb
