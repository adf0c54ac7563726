#pragma once

#include "platform/firebird.h"

#include <QDir>
#include <QString>

// Where the files of the system live: one folder tree under the user's
// documents folder, every folder name in lower case.
class Locations {
public:
    // `homeFolder` holds the folder unpacked archives go to.
    explicit Locations(const QString& documentsFolder,
                       const QString& homeFolder = QDir::homePath());
    // The tree under the current user's documents folder.
    static Locations forCurrentUser();

    QString documents() const { return documents_; }
    QString databaseFolder() const;
    QString backupFolder() const;
    QString restoredFolder() const;
    QString zipFolder() const;
    QString reportsFolder() const;
    // Where an archive of databases is unpacked: a folder of the user's own,
    // never the database folder.
    QString unzipFolder() const;
    // The folder of the whole tree, which holds the lock of the running program.
    QString programFolder() const;
    // Where the program puts the files it makes on its way to another (the
    // contents of an evidence pack); what a killed run left there is removed
    // at the next start.
    QString temporaryFolder() const;

    // Whether a name can name a database: letters, digits, blanks, "-" and
    // "_", so that it is a plain file name on every system.
    static bool isDatabaseName(const QString& name);
    // The file of a database name; names are folded to lower case.
    QString databasePath(const QString& name) const;
    QString firstdbPath() const;

    // Creates every missing level of `folder`, each readable by its owner
    // only whatever the umask. Returns whether it exists.
    bool ensureFolder(const QString& folder) const;

private:
    QString underTree(const QString& relative) const;
    QString documents_;
    QString home_;
};

// The scratch database, recreated at every activation and never used for live data.
inline const QString kFirstdb = QStringLiteral("firstdb");

// The account every attachment uses.
fb::Account databaseAccount();

// Pages of cache (4 KB each) the engine keeps for a database: a database of
// years of records fits whole, so a step that rewrites every job record is
// not slowed by evicting pages, each a synchronous write under forced writes.
constexpr int kDatabasePageBuffers = 16384;
