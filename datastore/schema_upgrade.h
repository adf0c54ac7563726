#pragma once

#include "datastore/schema.h"
#include "platform/database_error.h"

#include <QMap>
#include <QString>

#include <vector>

// Brings a database made by an earlier version of the program up to the
// tables of this one, step by step.
namespace schema_upgrade {

// A database of a version newer than this program's: refused, never changed.
class NewerDatabase : public DatabaseError {
public:
    using DatabaseError::DatabaseError;
};

// A step that failed; it was rolled back, and the database is at the
// version before it.
class StepFailed : public DatabaseError {
public:
    using DatabaseError::DatabaseError;
};

struct StoredVersion {
    int version = 1;
    // False while the rows a step writes into the tables it made are not
    // written yet (a transaction cannot write into a table it made): at
    // version 2 the imported files the settings remember, at version 3 the
    // baseline of the history.
    bool settled = true;
};

// The version the database at `path` records. It is read from a copy made
// in `scratchFolder`, so that the database itself is not opened and keeps
// every byte; where no copy can be made (a nearly full disk) it is read from
// the database. Throws DatabaseError, as opening it would, when it is no
// database.
StoredVersion storedVersion(const QString& path, const QString& scratchFolder);

// Whether anything is to be done for a database of `stored` version.
bool isBehind(const StoredVersion& stored, int latest = schema::currentVersion());

// Throws NewerDatabase, naming both versions, when the database is newer
// than `latest`.
void refuseNewer(const QString& path, const StoredVersion& stored,
                 int latest = schema::currentVersion());

// The mail files the settings remember as imported into a database: the
// SHA-256 of each and what was recorded for it.
using RememberedImports = QMap<QString, QString>;

// Runs every step from the stored version on, each in a transaction of its
// own that also records the version it reaches; the imported files the
// settings remember are written in once, with the record of version 2, and
// the baseline of the history once, with the record of version 3. No
// attachment may hold the database. Throws StepFailed naming the step that
// failed; the steps before it stay.
void upgrade(const QString& path, StoredVersion stored, const RememberedImports& imports,
             const std::vector<schema::UpgradeStep>& steps = schema::upgradeSteps());

}  // namespace schema_upgrade
