#pragma once

#include "datastore/locations.h"
#include "datastore/settings_store.h"
#include "tests/support/printers.h"

#include <QString>
#include <QTemporaryDir>

// A private documents folder and settings store for one test.
class TestWorkspace {
public:
    Locations locations() const {
        return Locations(documents(), dir_.filePath(QStringLiteral("home")));
    }
    QString documents() const { return dir_.filePath(QStringLiteral("documents")); }

    // A fresh copy of a database made once per test process by the create
    // operation, placed in the database folder as `<name>.gdb`.
    QString copyOfNewDatabase(const QString& name) const;

private:
    QTemporaryDir dir_;

public:
    SettingsStore settings{dir_.filePath(QStringLiteral("settings"))};
};
