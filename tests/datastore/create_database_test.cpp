#include "datastore/create_database.h"
#include "datastore/locations.h"
#include "datastore/scratch_database.h"
#include "platform/database_error.h"
#include "tests/support/listing.h"
#include "tests/support/test_connection.h"
#include "tests/support/workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlRecord>

#include <gtest/gtest.h>

namespace {

QStringList collectLog(const Locations& locations, const QString& name,
                       CreateOutcome expected = CreateOutcome::Created) {
    QStringList log;
    EXPECT_EQ(createDatabase(locations, name, [&](const QString& line) { log.append(line); }),
              expected);
    return log;
}

// The server's own account of a column type, spelled as a table definition
// would. Dialect 1 keeps a NUMERIC of more than 9 digits as a double with its
// scale and does not record the precision.
QString typeText(int type, int subType, int length, int precision, int scale, int segment) {
    switch (type) {
        case 14:
            return QStringLiteral("CHAR(%1)").arg(length);
        case 37:
            return QStringLiteral("VARCHAR(%1)").arg(length);
        case 35:
            return QStringLiteral("DATE");
        case 8:
            return scale < 0 ? QStringLiteral("NUMERIC(%1,%2)").arg(precision).arg(-scale)
                             : QStringLiteral("INTEGER");
        case 27:
            return scale < 0 ? QStringLiteral("NUMERIC AS DOUBLE, SCALE %1").arg(-scale)
                             : QStringLiteral("DOUBLE PRECISION");
        case 261:
            return subType == 1 ? QStringLiteral("BLOB SUB_TYPE TEXT SEGMENT SIZE %1").arg(segment)
                                : QStringLiteral("BLOB");
    }
    return QStringLiteral("TYPE %1").arg(type);
}

QStringList describeColumns(TestConnection& db, const QString& table) {
    QStringList lines;
    QSqlQuery query(db.database());
    query.prepare(
        "SELECT rf.RDB$FIELD_NAME, f.RDB$FIELD_TYPE, f.RDB$FIELD_SUB_TYPE, "
        "COALESCE(f.RDB$CHARACTER_LENGTH, f.RDB$FIELD_LENGTH), f.RDB$FIELD_PRECISION, "
        "f.RDB$FIELD_SCALE, f.RDB$SEGMENT_LENGTH, rf.RDB$NULL_FLAG, rf.RDB$DEFAULT_SOURCE "
        "FROM RDB$RELATION_FIELDS rf JOIN RDB$FIELDS f ON f.RDB$FIELD_NAME = rf.RDB$FIELD_SOURCE "
        "WHERE rf.RDB$RELATION_NAME = ? ORDER BY rf.RDB$FIELD_POSITION");
    query.addBindValue(table);
    EXPECT_TRUE(query.exec());
    while (query.next()) {
        QString line =
            QStringLiteral("  ") + query.value(0).toString().trimmed() + " " +
            typeText(query.value(1).toInt(), query.value(2).toInt(), query.value(3).toInt(),
                     query.value(4).toInt(), query.value(5).toInt(), query.value(6).toInt());
        const QString defaultSource = QString::fromUtf8(query.value(8).toByteArray()).trimmed();
        if (!defaultSource.isEmpty())
            line += " " + defaultSource;
        if (query.value(7).toInt() == 1)
            line += " NOT NULL";
        lines.append(line);
    }
    return lines;
}

QString indexColumns(TestConnection& db, const QString& index) {
    return db
        .rows("SELECT RDB$FIELD_NAME FROM RDB$INDEX_SEGMENTS WHERE RDB$INDEX_NAME = '" + index +
              "' ORDER BY RDB$FIELD_POSITION")
        .join(", ");
}

// Every user table, column, default, primary key and secondary index, read
// from the system tables of the database.
QStringList describeDatabase(const QString& path) {
    TestConnection db(path);
    QStringList lines;
    const QStringList tables = db.rows(
        "SELECT RDB$RELATION_NAME FROM RDB$RELATIONS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 "
        "ORDER BY RDB$RELATION_NAME");
    for (const QString& table : tables) {
        lines.append("TABLE " + table);
        lines += describeColumns(db, table);
        for (const QString& keyIndex : db.rows(
                 "SELECT RDB$INDEX_NAME FROM RDB$RELATION_CONSTRAINTS WHERE RDB$RELATION_NAME = '" +
                 table + "' AND RDB$CONSTRAINT_TYPE = 'PRIMARY KEY'"))
            lines.append("  PRIMARY KEY (" + indexColumns(db, keyIndex) + ")");
    }
    const QStringList indexes = db.rows(
        "SELECT i.RDB$INDEX_NAME, i.RDB$RELATION_NAME, COALESCE(i.RDB$INDEX_TYPE, 0) "
        "FROM RDB$INDICES i WHERE COALESCE(i.RDB$SYSTEM_FLAG, 0) = 0 AND NOT EXISTS "
        "(SELECT 1 FROM RDB$RELATION_CONSTRAINTS c WHERE c.RDB$INDEX_NAME = i.RDB$INDEX_NAME) "
        "ORDER BY i.RDB$INDEX_NAME");
    for (const QString& row : indexes) {
        const QStringList parts = row.split('|');
        lines.append("INDEX " + parts[0] + " ON " + parts[1] +
                     (parts[2] == "1" ? " DESCENDING (" : " (") + indexColumns(db, parts[0]) + ")");
    }
    return lines;
}

// Every row of every user table in the order of its first column;
// CHAR padding is dropped and a null shows as <null>.
QStringList describeRows(TestConnection& db) {
    QStringList lines;
    for (const QString& table : db.rows("SELECT RDB$RELATION_NAME FROM RDB$RELATIONS WHERE "
                                        "COALESCE(RDB$SYSTEM_FLAG, 0) = 0 ORDER BY 1")) {
        lines.append(table);
        QSqlQuery query("SELECT * FROM " + table + " ORDER BY 1", db.database());
        while (query.next()) {
            QStringList values;
            for (int column = 0; column < query.record().count(); ++column) {
                const QVariant value = query.value(column);
                QString text = value.isNull() ? "<null>" : value.toString();
                while (text.endsWith(' '))
                    text.chop(1);
                values.append(text);
            }
            lines.append("  " + values.join('|'));
        }
    }
    return lines;
}

QString isql(const QString& path, const QString& commands) {
    QProcess process;
    process.start(QStringLiteral("isql-fb"),
                  {QStringLiteral("-q"), QStringLiteral("-user"), QStringLiteral("SYSDBA"),
                   QStringLiteral("-password"), QStringLiteral("plumbtwig"), path});
    process.write(commands.toUtf8());
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000));
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

class CreateDatabaseTest : public ::testing::Test {
protected:
    TestWorkspace workspace;
    Locations locations = workspace.locations();
};

TEST_F(CreateDatabaseTest, LogsEveryStepOfASuccessfulRunInOrder) {
    expectListing(collectLog(locations, "LIVE"), "datastore/expected_create_log.txt");
    EXPECT_TRUE(QFile::exists(locations.databaseFolder() + "/live.gdb"));
}

// The tables, indexes and seed rows of the listings, the defaults a bare key
// gives, and the settings another client sees.
TEST_F(CreateDatabaseTest, NewDatabaseHoldsExactlyWhatTheListingsSay) {
    collectLog(locations, "books");
    const QString path = locations.databasePath("books");
    const QString report = isql(path, "SHOW SQL DIALECT;\nSHOW DATABASE;\n");
    for (const char* setting :
         {"database SQL dialect is: 1", "PAGE_SIZE 4096", "Forced Writes are ON"})
        EXPECT_TRUE(report.contains(setting)) << report.toStdString();
    expectListing(describeDatabase(path), "datastore/expected_schema.txt");
    TestConnection db(path);
    db.execute("INSERT INTO QUORVEL_4 (PK) VALUES (45000.5)");
    db.execute("INSERT INTO JSEARCH_4 (PK) VALUES (45000.5)");
    expectListing(describeRows(db), "datastore/expected_rows.txt");
}

TEST_F(CreateDatabaseTest, FolderTreeAndDatabaseAreReadableByTheOwnerOnly) {
    collectLog(locations, "books");
    const QFileDevice::Permissions groupOrOther = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                  QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                  QFileDevice::WriteOther | QFileDevice::ExeOther;
    for (const QString& level :
         {workspace.documents() + "/kl-db", workspace.documents() + "/kl-db/intrbase",
          workspace.documents() + "/kl-db/intrbase/quorvel4", locations.databaseFolder(),
          locations.databasePath("books")}) {
        ASSERT_TRUE(QFileInfo::exists(level)) << level.toStdString();
        EXPECT_EQ(QFileInfo(level).permissions() & groupOrOther, QFileDevice::Permissions())
            << level.toStdString();
    }
}

TEST_F(CreateDatabaseTest, ExistingDatabaseOfTheSameNameIsReplacedByAnEmptyOne) {
    collectLog(locations, "books");
    {
        TestConnection db(locations.databasePath("books"));
        db.execute("INSERT INTO CITY_4 (CITY) VALUES ('AUSTIN')");
    }
    collectLog(locations, "BOOKS");
    TestConnection db(locations.databasePath("books"));
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM CITY_4").toInt(), 0);
    EXPECT_EQ(QDir(locations.databaseFolder()).entryList(QDir::Files), QStringList("books.gdb"));
}

TEST_F(CreateDatabaseTest, TargetThatCannotBeDeletedStopsWithALineSayingSo) {
    ASSERT_TRUE(locations.ensureFolder(locations.databaseFolder()));
    // A folder in the database's place cannot be removed as a file.
    ASSERT_TRUE(QDir().mkpath(locations.databasePath("stuck") + "/inside"));
    const QStringList log = collectLog(locations, "stuck", CreateOutcome::NotDeleted);
    ASSERT_EQ(log.size(), 5);
    EXPECT_TRUE(log[4].startsWith("Unable to delete the existing database"))
        << log[4].toStdString();
    EXPECT_TRUE(QFileInfo(locations.databasePath("stuck")).isDir());
}

// firstdb, a copy of a pristine database, is new each time, and one held
// open is never replaced under its holder.
TEST_F(CreateDatabaseTest, ScratchDatabaseIsNewEachTimeAndNeverReplacedWhileHeld) {
    ScratchDatabase firstdb(locations);
    firstdb.recreate();
    const QString path = locations.firstdbPath();
    {
        TestConnection db(path);
        db.execute("INSERT INTO CITY_4 (CITY) VALUES ('AUSTIN')");
        EXPECT_THROW(firstdb.recreate(), DatabaseError) << "replaced while held";
        EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM CITY_4").toInt(), 1);
    }
    firstdb.recreate();
    expectListing(describeDatabase(path), "datastore/expected_schema.txt");
    TestConnection db(path);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM CITY_4").toInt(), 0);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM CARRIER_4").toInt(), 23);
}

}  // namespace
