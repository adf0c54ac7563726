#pragma once

#include "datastore/locations.h"

#include <QLockFile>

class Dialogs;

// One Quorvel4 at a time for a user: a second would rebuild firstdb and
// write the same databases as the first. The lock is a file in the
// program's folder, held for the life of the process and freed by the
// system if the process dies.
class InstanceLock {
public:
    explicit InstanceLock(const Locations& locations);

    // Takes the lock; when another Quorvel4 of this user holds it, says so
    // and returns false.
    bool take(Dialogs& dialogs);

private:
    Locations locations_;
    QLockFile lock_;
};
