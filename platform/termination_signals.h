#pragma once

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
