#include <QCoreApplication>
#include <QTemporaryDir>
#include "platform/firebird_services.h"

#include <gtest/gtest.h>

// The tests of the libraries without widgets run without a window system.
// Firebird keeps its lock files in a folder of the process's own, as the
// tests open only their own database files.
int main(int argc, char** argv) {
    fb::keepEngineOffTheTerminal();
    QTemporaryDir lockFolder;
    qputenv("FIREBIRD_LOCK", lockFolder.path().toUtf8());
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
