// Program start to main window shown, with the first activation done, timed
// from outside: the benchmark starts itself as a child that builds the
// program's objects as main() does, shows the window and reports when the
// activation has run.
#include "bench/silent_dialogs.h"
#include "datastore/create_database.h"
#include "datastore/data_module.h"
#include "datastore/locations.h"
#include "datastore/settings_store.h"
#include "shell/main_screen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void setIdentity() {
    QApplication::setOrganizationName("KELBRIDGE_LABS");
    QApplication::setApplicationName("QUORVEL4");
}

int runChild(int argc, char** argv) {
    QApplication app(argc, argv);
    setIdentity();
    SilentDialogs dialogs;
    TDataModule2 dataModule;
    SettingsStore settings = SettingsStore::forCurrentUser();
    TMain_Screen2 mainScreen(Locations::forCurrentUser(), settings, dataModule, dialogs);
    mainScreen.show();
    // Queued behind the activation that showing the window starts.
    QTimer::singleShot(0, [] {
        std::puts("shown");
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return app.exec();
}

int prepareLiveDatabase(int argc, char** argv) {
    QApplication app(argc, argv);
    setIdentity();
    const Locations locations = Locations::forCurrentUser();
    createDatabase(locations, "books", [](const QString&) {});
    SettingsStore::forCurrentUser().recordCurrentDatabase(
        {"books", locations.databasePath("books")});
    return 0;
}

double startOnce(const QString& self, const QString& home) {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home);
    environment.remove("XDG_CONFIG_HOME");
    environment.remove("XDG_DOCUMENTS_DIR");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    child.start(self, {"--child"});
    while (!child.canReadLine() && child.waitForReadyRead(10000)) {
    }
    const double milliseconds = timer.nsecsElapsed() / 1e6;
    child.waitForFinished(10000);
    return milliseconds;
}

void report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%-44s median %7.1f ms   min %7.1f ms   max %7.1f ms   (%zu runs)\n", what,
                times[times.size() / 2], times.front(), times.back(), times.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && QString(argv[1]) == "--child")
        return runChild(argc, argv);
    if (argc > 1 && QString(argv[1]) == "--prepare")
        return prepareLiveDatabase(argc, argv);

    const QString self = QString::fromLocal8Bit(argv[0]);
    constexpr int kRuns = 9;
    std::vector<double> firstStarts;
    for (int run = 0; run < kRuns; ++run) {
        QTemporaryDir home;
        firstStarts.push_back(startOnce(self, home.path()));
    }
    report("start to window shown, first start", firstStarts);

    QTemporaryDir home;
    QProcess prepare;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    prepare.setProcessEnvironment(environment);
    prepare.start(self, {"--prepare"});
    prepare.waitForFinished(30000);
    std::vector<double> liveStarts;
    for (int run = 0; run < kRuns; ++run)
        liveStarts.push_back(startOnce(self, home.path()));
    report("start to window shown, live database", liveStarts);
    return 0;
}
