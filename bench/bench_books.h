#pragma once

#include "datastore/create_database.h"
#include "datastore/data_module.h"
#include "datastore/locations.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>

// A new database made by the create operation in a folder of its own and
// open in a data module, for a bench to fill and time; gone with it.
struct BenchBooks {
    BenchBooks() {
        createDatabase(locations, "books", [](const QString&) {});
        dataModule.open(locations.databasePath("books"));
    }
    QSqlDatabase connection() const { return dataModule.connection(); }

    QTemporaryDir dir;
    const Locations locations{dir.filePath("documents")};
    TDataModule2 dataModule;
};

// How long `work` took, in milliseconds.
inline double milliseconds(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

// The quickest of `runs` runs of `work`, in milliseconds.
inline double bestMilliseconds(int runs, const std::function<void()>& work) {
    double best = 1e9;
    for (int run = 0; run < runs; ++run)
        best = std::min(best, milliseconds(work));
    return best;
}
