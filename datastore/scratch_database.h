#pragma once

#include "datastore/locations.h"

#include <QByteArray>
#include <QString>

// firstdb, the scratch database made anew at every activation of the main
// window: the old firstdb is dropped through Firebird and a copy of a
// pristine database takes its place. The pristine database is built once by
// the create operation, checked against the schema, and kept in the
// program's folder under a name that carries the schema version, beside the
// SHA-256 of its bytes; a missing, damaged or older one is built again.
class ScratchDatabase {
public:
    explicit ScratchDatabase(const Locations& locations) : locations_(locations) {}

    // No attachment may hold firstdb. Throws DatabaseError.
    void recreate();

    // The pristine database of this program's schema version.
    QString pristinePath() const;

private:
    QByteArray pristineBytes();
    QByteArray keptPristine() const;
    QByteArray buildPristine();

    Locations locations_;
    QByteArray pristine_;
};
