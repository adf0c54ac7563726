#pragma once

#include "datastore/locations.h"
#include "platform/termination_signals.h"

#include <QLockFile>

#include <optional>

// One Quorvel4 at a time for a user, the window or the batch tool: a second
// would rebuild firstdb or write the same databases as the first. The lock
// is a file in the program's folder, held for the life of the process. A
// lock file that no running Quorvel4 of this computer holds (its process
// ended, or it is empty or unreadable) is taken over. A termination signal
// that ends the batch tool removes the lock it holds.
class InstanceLock {
public:
    explicit InstanceLock(const Locations& locations);

    // Takes the lock. Returns an empty text, or why it could not: another
    // Quorvel4 of this user holds it, the lock names another computer, or
    // the lock file cannot be made.
    QString take();

    QString path() const;

private:
    QString held();
    QString notAFile() const;
    QString whyNotTaken(int error);
    int creationError(int error) const;
    Locations locations_;
    QLockFile lock_;
    std::optional<RemovedOnTermination> removedOnSignal_;
};
