#include "batch/batch_commands.h"
#include "datastore/locations.h"
#include "datastore/settings_store.h"
#include "platform/firebird_services.h"
#include "platform/termination_signals.h"
#include "reports/report_page.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstring>
#include <memory>

namespace {

// "report … --pdf FILE", and "pack", whose archive holds a PDF.
bool wantsPdf(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "pack") == 0)
        return true;
    for (int argument = 1; argument < argc; ++argument)
        if (std::strcmp(argv[argument], "--pdf") == 0)
            return true;
    return false;
}

}  // namespace

// A PDF needs fonts, and fonts a GUI application: it is made only then, on
// the offscreen platform, so the tool never needs a display.
int main(int argc, char** argv) {
    blockTerminationSignals();
    endOnTerminationSignals();
    fb::keepEngineOffTheTerminal();
    std::unique_ptr<QCoreApplication> app;
    if (wantsPdf(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setOrganizationName(QStringLiteral("KELBRIDGE_LABS"));
    QCoreApplication::setApplicationName(QStringLiteral("QUORVEL4"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    SettingsStore settings = SettingsStore::forCurrentUser();
    return batch::run(QCoreApplication::arguments().mid(1), Locations::forCurrentUser(), settings,
                      out, err, &writeReportPdf);
}
