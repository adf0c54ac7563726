#pragma once

#include "datastore/locations.h"

#include <QString>
#include <QStringList>

// Files on their way: a backup, a restored database and an archive of the
// database folder are made under a temporary name beside their final one and
// named only when complete. A run that is killed leaves them behind; the
// next start of the program or of the batch tool removes them.
namespace leftovers {

// The temporary name beside `path` ("<path>.part-<random>").
QString temporaryNameFor(const QString& path);

// A new name for the folder unzip unpacks into inside `folder` before it
// moves the entries into place ("<folder>/.unzip-part-<random>").
QString stagingFolderIn(const QString& folder);
// Whether an archive's entry lies in such a folder, which the next start
// would remove.
bool isInStagingFolder(const QString& entryName);

// Removes what a stopped run left: temporary backups, restored databases and
// archives, unzip's staging folder, and everything in the program's temporary folder. Call it only
// while holding the instance lock, when no other run can be making them.
// Returns a line for each file or folder removed, or that cannot be.
QStringList removeLeftovers(const Locations& locations);

}  // namespace leftovers
