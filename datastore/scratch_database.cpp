#include "datastore/scratch_database.h"

#include "datastore/create_database.h"
#include "datastore/schema.h"
#include "platform/database_error.h"
#include "platform/firebird_rows.h"
#include "platform/whole_file.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>

namespace {

QByteArray digestOf(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QString digestPath(const QString& pristinePath) {
    return pristinePath + QStringLiteral(".sha256");
}

// Only a regular file is read: a pipe would wait for a writer and a device
// such as /dev/zero would never end.
QByteArray contentOf(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString tableOf(const QString& line) {
    return line.section(QLatin1Char(' '), 0, 0);
}

// "TABLE COLUMN" per column, the tables by name and the columns in their
// order, then "INDEX name" per secondary index by name: what the schema
// says, and what a database holds.
QStringList byTableName(QStringList columns, QStringList indexes) {
    std::stable_sort(columns.begin(), columns.end(), [](const QString& a, const QString& b) {
        return tableOf(a) < tableOf(b);
    });
    indexes.sort();
    return columns + indexes;
}

QStringList listingOfSchema() {
    QStringList columns;
    for (const schema::Table& table : schema::tables())
        for (const schema::Column& column : table.columns)
            columns << table.name + QLatin1Char(' ') + column.name;
    QStringList indexes;
    for (const schema::Index& index : schema::indexes())
        indexes << QStringLiteral("INDEX ") + index.name;
    return byTableName(columns, indexes);
}

QStringList linesOf(const QString& path, const QString& sql) {
    QStringList lines;
    fb::forEachRow(path, databaseAccount(), sql, {}, [&lines](const fb::Row& row) {
        lines << QString::fromUtf8(row.text(0)).trimmed();
    });
    return lines;
}

QStringList listingOfDatabase(const QString& path) {
    return byTableName(
        linesOf(path, QStringLiteral("SELECT TRIM(RDB$RELATION_NAME) || ' ' || "
                                     "TRIM(RDB$FIELD_NAME) FROM RDB$RELATION_FIELDS "
                                     "WHERE RDB$SYSTEM_FLAG = 0 "
                                     "ORDER BY RDB$RELATION_NAME, RDB$FIELD_POSITION")),
        linesOf(path, QStringLiteral("SELECT 'INDEX ' || TRIM(RDB$INDEX_NAME) FROM RDB$INDICES "
                                     "WHERE RDB$SYSTEM_FLAG = 0 AND "
                                     "RDB$INDEX_NAME NOT STARTING WITH 'RDB$'")));
}

// Pristine files of other schema versions, and their digests.
void removeOtherVersions(const QString& pristinePath) {
    const QFileInfo kept(pristinePath);
    QDir folder = kept.dir();
    const QString keptDigest = QFileInfo(digestPath(pristinePath)).fileName();
    for (const QString& name :
         folder.entryList({QStringLiteral("firstdb-pristine-v*")}, QDir::Files)) {
        if (name != kept.fileName() && name != keptDigest)
            folder.remove(name);
    }
}

}  // namespace

QString ScratchDatabase::pristinePath() const {
    return QDir(locations_.programFolder())
        .filePath(QStringLiteral("firstdb-pristine-v%1.gdb").arg(schema::currentVersion()));
}

QByteArray ScratchDatabase::keptPristine() const {
    const QByteArray bytes = contentOf(pristinePath());
    const QByteArray recorded = contentOf(digestPath(pristinePath())).trimmed();
    if (bytes.isEmpty() || recorded != digestOf(bytes))
        return {};
    return bytes;
}

QByteArray ScratchDatabase::buildPristine() {
    QTemporaryDir folder;
    const Locations scratch(folder.path());
    if (!folder.isValid() ||
        createDatabase(scratch, kFirstdb, [](const QString&) {}) != CreateOutcome::Created)
        throw DatabaseError(QStringLiteral("Unable to build a new firstdb in ") + folder.path());
    if (listingOfDatabase(scratch.firstdbPath()) != listingOfSchema())
        throw DatabaseError(QStringLiteral("A new firstdb does not hold the tables it should"));
    const QByteArray bytes = contentOf(scratch.firstdbPath());
    // Kept for the next start; a start that cannot keep it still has it.
    try {
        whole_file::write(pristinePath(), bytes, whole_file::Existing::Replace);
        whole_file::write(digestPath(pristinePath()), digestOf(bytes) + '\n',
                          whole_file::Existing::Replace);
        removeOtherVersions(pristinePath());
    } catch (const whole_file::WriteError&) {
    }
    return bytes;
}

QByteArray ScratchDatabase::pristineBytes() {
    if (pristine_.isEmpty())
        pristine_ = keptPristine();
    if (pristine_.isEmpty())
        pristine_ = buildPristine();
    return pristine_;
}

void ScratchDatabase::recreate() {
    if (!locations_.ensureFolder(locations_.databaseFolder()))
        throw DatabaseError(QStringLiteral("Unable to make the database folder ") +
                            locations_.databaseFolder());
    const QByteArray pristine = pristineBytes();
    const QString target = locations_.firstdbPath();
    if (!removeDatabaseFile(target))
        throw DatabaseError(QStringLiteral("Unable to delete the old firstdb ") + target);
    try {
        whole_file::write(target, pristine, whole_file::Existing::Refuse);
    } catch (const whole_file::WriteError& error) {
        throw DatabaseError(QStringLiteral("Unable to copy a new firstdb to ") + target +
                            QStringLiteral(": ") + error.message());
    }
}
