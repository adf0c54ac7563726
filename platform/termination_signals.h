#pragma once

#include <QByteArray>
#include <QString>

#include <list>

class QCoreApplication;

// SIGTERM (logout) and SIGINT (Ctrl+C) end the program through its event
// loop, so that the database is closed as on a normal exit. The Firebird
// client would otherwise take these signals over and shut its engine down
// under the program's feet. The signals are blocked in every thread and read
// by the event loop instead: call blockTerminationSignals() first thing in
// main(), before any thread starts, and quitOnTerminationSignals() once the
// application exists.
void blockTerminationSignals();
void quitOnTerminationSignals(QCoreApplication& application);

// For a program without an event loop (the batch tool): after
// blockTerminationSignals(), a thread of its own waits for the signals and
// ends the process at once, with a line on standard error and the status
// 128 + the signal's number (130 for SIGINT, 143 for SIGTERM). Work not yet
// committed is never committed: Firebird rolls back the transaction of an
// attachment that died with its process, and a file being written whole has
// no name before it is complete, so it vanishes.
void endOnTerminationSignals();

// While one lives, a termination signal waits, so that what must not be cut
// in two (a commit and the note that it was made) is done whole first.
class TerminationDeferred {
public:
    TerminationDeferred();
    ~TerminationDeferred();
    TerminationDeferred(const TerminationDeferred&) = delete;
    TerminationDeferred& operator=(const TerminationDeferred&) = delete;
};

// While one lives, its path (a file, or a folder with everything in it;
// links are removed, never followed) is removed when a termination signal
// ends the process through endOnTerminationSignals(): the temporary files of
// a run cut short, and the lock it holds.
class RemovedOnTermination {
public:
    explicit RemovedOnTermination(const QString& path);
    ~RemovedOnTermination();
    RemovedOnTermination(const RemovedOnTermination&) = delete;
    RemovedOnTermination& operator=(const RemovedOnTermination&) = delete;

private:
    std::list<QByteArray>::iterator entry_;
};
