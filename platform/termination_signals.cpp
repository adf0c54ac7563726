#include "platform/termination_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <sys/signalfd.h>
#include <csignal>

namespace {

sigset_t terminationSignals() {
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGTERM);
    sigaddset(&blocked, SIGINT);
    return blocked;
}

}  // namespace

void blockTerminationSignals() {
    const sigset_t blocked = terminationSignals();
    pthread_sigmask(SIG_BLOCK, &blocked, nullptr);
}

void quitOnTerminationSignals(QCoreApplication& application) {
    const sigset_t blocked = terminationSignals();
    const int descriptor = signalfd(-1, &blocked, SFD_CLOEXEC | SFD_NONBLOCK);
    if (descriptor < 0)
        return;
    auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, [notifier] {
        notifier->setEnabled(false);
        // exit(), not quit(): quit() first asks every window to close, and a
        // form in the middle of a change would ask the user, holding up a logout.
        QCoreApplication::exit(0);
    });
}
