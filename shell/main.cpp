#include "datastore/data_module.h"
#include "datastore/instance_lock.h"
#include "datastore/locations.h"
#include "datastore/settings_store.h"
#include "forms/dialogs.h"
#include "maintenance/leftovers.h"
#include "platform/firebird_services.h"
#include "platform/kbx.h"
#include "platform/termination_signals.h"
#include "shell/main_screen.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    // Answered before any window system is needed.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("quorvel4 %s\n",
                    qPrintable(kbx::_kbx_Get_Versioning_Info(QStringLiteral("FileVersion"))));
        return 0;
    }
    fb::keepEngineOffTheTerminal();
    blockTerminationSignals();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("KELBRIDGE_LABS"));
    QApplication::setApplicationName(QStringLiteral("QUORVEL4"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/quorvel4.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvel4"));
    quitOnTerminationSignals(app);

    QtDialogs dialogs;
    const Locations locations = Locations::forCurrentUser();
    InstanceLock instance(locations);
    const QString refusal = instance.take();
    if (!refusal.isEmpty()) {
        dialogs.message(nullptr, QStringLiteral("MESSAGE"), refusal, Buttons::Ok);
        return 1;
    }
    const QStringList removed = leftovers::removeLeftovers(locations);
    if (!removed.isEmpty())
        dialogs.message(nullptr, QStringLiteral("MESSAGE"), removed.join(QLatin1Char('\n')),
                        Buttons::Ok);
    TDataModule2 dataModule;
    SettingsStore settings = SettingsStore::forCurrentUser();
    TMain_Screen2 mainScreen(locations, settings, dataModule, dialogs);
    QObject::connect(&mainScreen, &TMain_Screen2::programTerminationRequested, &app,
                     &QApplication::quit, Qt::QueuedConnection);
    mainScreen.show();
    return app.exec();
}
