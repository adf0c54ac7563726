#include <QApplication>
#include <QTemporaryDir>
#include "platform/firebird_services.h"

#include <gtest/gtest.h>

// Every test process runs a real QApplication, on the offscreen platform
// unless Q4_TEST_PLATFORM names another (xcb under an X server, as a desktop
// has it), and keeps Firebird's lock files in a folder of its own, as the
// tests open only their own database files.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet("Q4_TEST_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", qgetenv("Q4_TEST_PLATFORM"));
    else if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    fb::keepEngineOffTheTerminal();
    QTemporaryDir lockFolder;
    qputenv("FIREBIRD_LOCK", lockFolder.path().toUtf8());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
