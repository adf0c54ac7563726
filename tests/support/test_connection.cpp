#include "tests/support/test_connection.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>

#include <gtest/gtest.h>

namespace {
int connectionCount = 0;
}

TestConnection::TestConnection(const QString& path)
    : name_(QStringLiteral("test-connection-%1").arg(++connectionCount)) {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), name_);
    database.setDatabaseName(path);
    database.setUserName(QStringLiteral("SYSDBA"));
    database.setPassword(QStringLiteral("plumbtwig"));
    EXPECT_TRUE(database.open()) << database.lastError().text().toStdString();
}

TestConnection::~TestConnection() {
    QSqlDatabase::database(name_, false).close();
    QSqlDatabase::removeDatabase(name_);
}

QSqlDatabase TestConnection::database() const {
    return QSqlDatabase::database(name_, false);
}

void TestConnection::execute(const QString& sql) {
    QSqlDatabase db = database();
    db.transaction();
    QSqlQuery query(db);
    EXPECT_TRUE(query.exec(sql)) << sql.toStdString() << ": "
                                 << query.lastError().text().toStdString();
    query.finish();
    db.commit();
}

QStringList TestConnection::rows(const QString& sql) {
    QSqlQuery query(database());
    EXPECT_TRUE(query.exec(sql)) << sql.toStdString() << ": "
                                 << query.lastError().text().toStdString();
    QStringList result;
    // The driver asks the server about every column each time it describes
    // a row: once is enough.
    const int count = query.record().count();
    while (query.next()) {
        QStringList columns;
        for (int i = 0; i < count; ++i)
            columns.append(query.value(i).toString().trimmed());
        result.append(columns.join(QLatin1Char('|')));
    }
    return result;
}

QStringList storedBytes(const QString& path, const QString& table, const QString& column) {
    const QString output =
        isql(path, {},
             "SELECT CAST(TRIM(" + column + ") AS VARCHAR(255) CHARACTER SET OCTETS) FROM " +
                 table + " ORDER BY 1;\n");
    static const QRegularExpression hexRow("^[0-9A-F]+$");
    QStringList rows;
    for (const QString& line : output.split('\n'))
        if (hexRow.match(line.trimmed()).hasMatch())
            rows.append(line.trimmed());
    return rows;
}

QString isql(const QString& path, const QStringList& options, const QString& commands) {
    QProcess process;
    process.start("isql-fb",
                  QStringList{"-q", "-user", "SYSDBA", "-password", "plumbtwig"} + options << path);
    process.write(commands.toUtf8());
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(30000));
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}
