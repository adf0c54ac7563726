#include "platform/termination_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <sys/signalfd.h>
#include <unistd.h>
#include <csignal>
#include <cstring>
#include <mutex>
#include <thread>

namespace {

sigset_t terminationSignals() {
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGTERM);
    sigaddset(&blocked, SIGINT);
    return blocked;
}

std::recursive_mutex& deferral() {
    static std::recursive_mutex mutex;
    return mutex;
}

[[noreturn]] void endBySignal(int signal) {
    deferral().lock();  // never released: the process ends holding it
    const char* const line =
        signal == SIGINT ? "Interrupted (SIGINT): ended; work not yet committed was rolled back.\n"
                         : "Terminated (SIGTERM): ended; work not yet committed was rolled back.\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, line, std::strlen(line));
    ::_exit(128 + signal);
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

void endOnTerminationSignals() {
    std::thread([] {
        const sigset_t awaited = terminationSignals();
        int signal = 0;
        while (sigwait(&awaited, &signal) != 0) {
        }
        endBySignal(signal);
    }).detach();
}

TerminationDeferred::TerminationDeferred() {
    deferral().lock();
}

TerminationDeferred::~TerminationDeferred() {
    deferral().unlock();
}
