#include "tests/support/user_home.h"

#include "datastore/create_database.h"
#include "datastore/settings_store.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>

UserHome::UserHome() {
    const Locations locations(home_.filePath(QStringLiteral("Documents")));
    createDatabase(locations, QStringLiteral("books"), [](const QString&) {});
    database_ = locations.databasePath(QStringLiteral("books"));
    SettingsStore(home_.filePath(QStringLiteral(".config")))
        .recordCurrentDatabase({QStringLiteral("books"), database_});
}

QProcessEnvironment UserHome::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home_.path());
    environment.remove(QStringLiteral("DISPLAY"));
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR", "XDG_DATA_HOME"})
        environment.remove(QString::fromLatin1(variable));
    return environment;
}

ToolRun UserHome::run(const QString& program, const QStringList& arguments,
                      rlim_t fileSizeLimit) const {
    QProcess tool;
    tool.setProcessEnvironment(environment());
    tool.setChildProcessModifier([fileSizeLimit] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limits{fileSizeLimit, fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limits);
    });
    tool.start(program, arguments);
    EXPECT_TRUE(tool.waitForFinished(120000)) << program.toStdString();
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()),
            QString::fromUtf8(tool.readAllStandardError())};
}
