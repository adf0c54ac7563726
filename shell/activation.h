#pragma once

#include "datastore/locations.h"
#include "datastore/scratch_database.h"
#include "datastore/settings_store.h"

class Dialogs;
class QWidget;
class TDataModule2;

// What the main window does each time it becomes active: rebuild the scratch
// database, settle which database is current (falling back to firstdb when
// none usable is recorded) and reopen the production connection on it.
class Activation {
public:
    Activation(const Locations& locations, SettingsStore& settings, TDataModule2& dataModule,
               Dialogs& dialogs, QWidget* parent);

    // Closes the production connection, recreates firstdb and returns the
    // current database, recording firstdb when the recorded one is unusable.
    CurrentDatabase settleCurrentDatabase();
    // Brings a database of an earlier version up to date (backed up first)
    // and opens the connection and every table; throws DatabaseError, and
    // for a database newer than the program schema_upgrade::NewerDatabase
    // without opening it.
    void openDatabase(const CurrentDatabase& current);
    // While firstdb is current, says that live work is refused and returns true.
    bool refuseLiveWork(const CurrentDatabase& current);

private:
    CurrentDatabase resetToFirstdb();
    void bringUpToDate(const CurrentDatabase& current);

    Locations locations_;
    SettingsStore& settings_;
    ScratchDatabase firstdb_;
    TDataModule2& dataModule_;
    Dialogs& dialogs_;
    QWidget* parent_;
    QString upgradedPath_;
};
