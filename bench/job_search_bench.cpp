// The job search form over a log of 62,899 records: opening the form,
// saving a record and showing the table newest first again, the update of
// a 50-record chain's active status, and opening every table of the
// database as the activation does.
#include "bench/job_search_data.h"
#include "bench/silent_dialogs.h"
#include "datastore/data_module.h"
#include "datastore/locations.h"
#include "jobsearch/job_search_form.h"
#include "jobsearch/job_search_rules.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 62899;
constexpr int kChain = 50;

struct LargeLog {
    LargeLog() { dataModule.open(path); }
    QTemporaryDir dir;
    Locations locations{dir.filePath("documents")};
    QString path = createJobSearchDatabase(locations, kRecords, kChain);
    TDataModule2 dataModule;
    SilentDialogs dialogs;
};

LargeLog* largeLog = nullptr;

void BM_OpenEveryTable(benchmark::State& state) {
    for (auto _ : state)
        largeLog->dataModule.open(largeLog->path);
}

void BM_OpenJobSearchForm(benchmark::State& state) {
    for (auto _ : state) {
        TJob_Search form(largeLog->dataModule, largeLog->dialogs);
        form.show();
        QApplication::processEvents();
    }
}

// Edit and Save on the first record shown: the post, the reading of the
// table newest first and the grid shown from its first record.
void BM_SaveAndShowNewestFirst(benchmark::State& state) {
    TJob_Search form(largeLog->dataModule, largeLog->dialogs);
    form.show();
    QApplication::processEvents();
    for (auto _ : state) {
        form.btn_editClick();
        form.btn_saveClick();
        QApplication::processEvents();
    }
}

void BM_UpdateChainOf50(benchmark::State& state) {
    bool active = false;
    for (auto _ : state) {
        const int changed =
            job_search::setChainActiveStatus(largeLog->dataModule.connection(), longChainRefnum(),
                                             active = !active, QDate(2026, 12, 6));
        if (changed != kChain)
            state.SkipWithError("the chain did not change whole");
    }
}

}  // namespace

BENCHMARK(BM_OpenEveryTable)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_OpenJobSearchForm)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_SaveAndShowNewestFirst)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_UpdateChainOf50)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    LargeLog large;
    largeLog = &large;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
