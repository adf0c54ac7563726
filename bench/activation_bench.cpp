// How long the main window's activation takes: firstdb rebuilt, the current
// database settled and the production connection reopened with every table.
// Also the creation of a database on its own, and the same creation with
// forced writes on for every statement, for comparison.
#include "bench/silent_dialogs.h"
#include "datastore/create_database.h"
#include "datastore/data_module.h"
#include "datastore/locations.h"
#include "datastore/schema.h"
#include "datastore/seed_data.h"
#include "datastore/settings_store.h"
#include "platform/firebird.h"
#include "shell/activation.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct Workspace {
    QTemporaryDir dir;
    Locations locations{dir.filePath("documents")};
    SettingsStore settings{dir.filePath("settings")};
};

void runActivation(benchmark::State& state, bool liveDatabase) {
    Workspace workspace;
    SilentDialogs dialogs;
    TDataModule2 dataModule;
    Activation activation(workspace.locations, workspace.settings, dataModule, dialogs, nullptr);
    if (liveDatabase) {
        createDatabase(workspace.locations, "books", [](const QString&) {});
        workspace.settings.recordCurrentDatabase(
            {"books", workspace.locations.databasePath("books")});
    }
    for (auto _ : state) {
        const CurrentDatabase current = activation.settleCurrentDatabase();
        activation.openDatabase(current);
        activation.refuseLiveWork(current);
    }
}

void BM_ActivationWithFirstdbCurrent(benchmark::State& state) {
    runActivation(state, false);
}
void BM_ActivationWithLiveDatabase(benchmark::State& state) {
    runActivation(state, true);
}

void BM_CreateDatabase(benchmark::State& state) {
    Workspace workspace;
    for (auto _ : state)
        createDatabase(workspace.locations, "books", [](const QString&) {});
}

// Every statement committed with forced writes on: one disk flush each.
void BM_CreateDatabaseWithForcedWritesThroughout(benchmark::State& state) {
    Workspace workspace;
    workspace.locations.ensureFolder(workspace.locations.databaseFolder());
    const QString path = workspace.locations.databasePath("books");
    for (auto _ : state) {
        QFile::remove(path);
        fb::Attachment database = fb::Attachment::create(path, {databaseAccount()});
        for (const schema::Table& table : schema::tables())
            database.executeInOwnTransaction(schema::createTableSql(table));
        for (const schema::Index& index : schema::indexes())
            database.executeInOwnTransaction(schema::createIndexSql(index));
        for (const seed::SeedTable& table : seed::seedTables())
            for (const QString& statement : table.insertStatements)
                database.executeInOwnTransaction(statement);
    }
}

}  // namespace

BENCHMARK(BM_ActivationWithFirstdbCurrent)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_ActivationWithLiveDatabase)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_CreateDatabase)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_CreateDatabaseWithForcedWritesThroughout)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
