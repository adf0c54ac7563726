#pragma once

class QCoreApplication;

// Makes SIGTERM and SIGINT end the program through its event loop, so that
// the database is closed as on a normal exit. Must run before Firebird is
// first used: the Firebird client takes over these signals and passes them
// on only to handlers that were installed before it.
void quitOnTerminationSignals(QCoreApplication& application);
