#pragma once

#include "datastore/locations.h"

#include <QTemporaryDir>

#include <memory>

// firstdb, the scratch database made anew at every activation of the main
// window. The first time, a pristine firstdb is built by the create
// operation in a private temporary folder; every time, the old firstdb is
// dropped through Firebird and a copy of the pristine file takes its place:
// the same tables, indexes, seed rows and settings for a fraction of the
// work of creating them again.
class ScratchDatabase {
public:
    explicit ScratchDatabase(const Locations& locations) : locations_(locations) {}

    // No attachment may hold firstdb. Throws DatabaseError.
    void recreate();

private:
    const QString& pristineCopy();

    Locations locations_;
    std::unique_ptr<QTemporaryDir> pristineFolder_;
    QString pristinePath_;
};
