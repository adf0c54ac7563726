#include "tests/support/workspace.h"

#include "datastore/create_database.h"

#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

namespace {

QString settingsFolder(const QTemporaryDir& dir) {
    return dir.filePath(QStringLiteral("settings"));
}

const QString& templateDatabase() {
    static QTemporaryDir holder;
    static const QString path = [] {
        const Locations locations(holder.path());
        createDatabase(locations, QStringLiteral("template"), [](const QString&) {});
        return locations.databasePath(QStringLiteral("template"));
    }();
    return path;
}

}  // namespace

TestWorkspace::TestWorkspace() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder(dir_));
}

TestWorkspace::~TestWorkspace() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStringLiteral("/nonexistent/quorvel4-tests"));
}

QString TestWorkspace::copyOfNewDatabase(const QString& name) const {
    const Locations here = locations();
    EXPECT_TRUE(here.ensureFolder(here.databaseFolder()));
    const QString target = here.databasePath(name);
    QFile::remove(target);
    EXPECT_TRUE(QFile::copy(templateDatabase(), target)) << target.toStdString();
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}
