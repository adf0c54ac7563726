#pragma once

#include "datastore/locations.h"

#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

#include <sys/resource.h>

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

// A home folder of the test's own, where a new database "books" is the
// current one, and the environment that runs the program's executables as
// the user of that home, without a display.
class UserHome {
public:
    UserHome();

    QString filePath(const QString& name) const { return home_.filePath(name); }
    QString database() const { return database_; }
    QProcessEnvironment environment() const;
    // Runs `program` as the user of this home, its files unable to grow past
    // `fileSizeLimit` bytes as on a full disk.
    ToolRun run(const QString& program, const QStringList& arguments,
                rlim_t fileSizeLimit = RLIM_INFINITY) const;

private:
    QTemporaryDir home_;
    QString database_;
};
