#include "datastore/scratch_database.h"

#include "datastore/create_database.h"
#include "platform/database_error.h"

#include <QFile>

const QString& ScratchDatabase::pristineCopy() {
    if (pristinePath_.isEmpty()) {
        pristineFolder_ = std::make_unique<QTemporaryDir>();
        const Locations pristine(pristineFolder_->path());
        if (!pristineFolder_->isValid() ||
            createDatabase(pristine, kFirstdb, [](const QString&) {}) != CreateOutcome::Created)
            throw DatabaseError(QStringLiteral("Unable to build a new firstdb in ") +
                                pristineFolder_->path());
        pristinePath_ = pristine.firstdbPath();
    }
    return pristinePath_;
}

void ScratchDatabase::recreate() {
    const QString& pristine = pristineCopy();
    const QString target = locations_.firstdbPath();
    const QString partial = target + QStringLiteral(".new");
    if (!locations_.ensureFolder(locations_.databaseFolder()))
        throw DatabaseError(QStringLiteral("Unable to make the database folder ") +
                            locations_.databaseFolder());
    if (!removeDatabaseFile(target))
        throw DatabaseError(QStringLiteral("Unable to delete the old firstdb ") + target);
    // Copied under another name first, so that firstdb is never half a file.
    QFile::remove(partial);
    if (!QFile::copy(pristine, partial) || !QFile::rename(partial, target)) {
        QFile::remove(partial);
        throw DatabaseError(QStringLiteral("Unable to copy a new firstdb to ") + target);
    }
}
