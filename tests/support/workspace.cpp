#include "tests/support/workspace.h"

#include "datastore/create_database.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

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

QString TestWorkspace::copyOfNewDatabase(const QString& name) const {
    const Locations here = locations();
    EXPECT_TRUE(here.ensureFolder(here.databaseFolder()));
    const QString target = here.databasePath(name);
    QFile::remove(target);
    EXPECT_TRUE(QFile::copy(templateDatabase(), target)) << target.toStdString();
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}
