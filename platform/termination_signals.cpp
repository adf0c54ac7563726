#include "platform/termination_signals.h"

#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>

#include <ftw.h>
#include <stdio.h>

#include <sys/signalfd.h>
#include <sys/stat.h>
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

std::mutex& registryMutex() {
    static std::mutex mutex;
    return mutex;
}

std::list<QByteArray>& removedOnTermination() {
    static std::list<QByteArray> paths;
    return paths;
}

int removeEntry(const char* path, const struct stat*, int, struct FTW*) {
    ::remove(path);
    return 0;
}

// Deepest first, links as links, never leaving the file system. Other
// threads run on meanwhile: a file one of them named since is removed by a
// second pass.
void removeTree(const QByteArray& path) {
    struct stat status;
    for (int pass = 0; pass < 3 && ::lstat(path.constData(), &status) == 0; ++pass)
        ::nftw(path.constData(), removeEntry, 16, FTW_DEPTH | FTW_PHYS | FTW_MOUNT);
}

[[noreturn]] void endBySignal(int signal) {
    deferral().lock();       // never released: the process ends holding it
    registryMutex().lock();  // nor this: no path is added or dropped meanwhile
    // Begins on a line of its own, after a progress line left unfinished.
    const char* const line =
        signal == SIGINT
            ? "\nInterrupted (SIGINT): ended; work not yet committed was rolled back.\n"
            : "\nTerminated (SIGTERM): ended; work not yet committed was rolled back.\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, line, std::strlen(line));
    for (const QByteArray& path : removedOnTermination())
        removeTree(path);
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

RemovedOnTermination::RemovedOnTermination(const QString& path) {
    const std::lock_guard<std::mutex> guard(registryMutex());
    entry_ = removedOnTermination().insert(removedOnTermination().end(), QFile::encodeName(path));
}

RemovedOnTermination::~RemovedOnTermination() {
    const std::lock_guard<std::mutex> guard(registryMutex());
    removedOnTermination().erase(entry_);
}
