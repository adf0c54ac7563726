#pragma once

#include "datastore/locations.h"
#include "datastore/schema_upgrade.h"

#include <QString>

// Before a database is opened: one made by an earlier version of the
// program is backed up into the backup folder, as Backup does, and then
// brought up to the tables of this one.
namespace database_upgrade {

struct Outcome {
    QString backup;  // the backup made before the steps; empty when none was needed
    // What to tell the user when the database could not be brought up to
    // date and is opened as it was; empty when it is up to date.
    QString failure;
    // What to tell the user when it was brought up to date now; empty otherwise.
    QString upgraded;
};

// Brings the database at `path` up to date, taking in the imported files
// the settings remember for it. No attachment may hold it. A backup that
// fails leaves the database unchanged; a step that fails leaves it at the
// version before that step. Throws schema_upgrade::NewerDatabase, the
// database untouched, when it is newer than this program, and
// DatabaseError when its version cannot be read.
Outcome bringUpToDate(const Locations& locations, const QString& path,
                      const schema_upgrade::RememberedImports& imports,
                      const std::vector<schema::UpgradeStep>& steps = schema::upgradeSteps());

}  // namespace database_upgrade
