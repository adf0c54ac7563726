#pragma once

#include "datastore/locations.h"
#include "tests/support/printers.h"

#include <QString>
#include <QTemporaryDir>

// A private documents folder and settings file for one test. The settings
// store is redirected into it for the test's lifetime.
class TestWorkspace {
public:
    TestWorkspace();
    ~TestWorkspace();

    Locations locations() const { return Locations(documents()); }
    QString documents() const { return dir_.filePath(QStringLiteral("documents")); }

    // A fresh copy of a database made once per test process by the create
    // operation, placed in the database folder as `<name>.gdb`.
    QString copyOfNewDatabase(const QString& name) const;

private:
    QTemporaryDir dir_;
};
