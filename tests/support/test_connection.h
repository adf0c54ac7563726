#pragma once

#include "tests/support/printers.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

// What Firebird's own isql says of a database: run with `options`, fed
// `commands`, its output and errors.
QString isql(const QString& path, const QStringList& options, const QString& commands = {});
// The bytes a text column holds, without its padding, as isql shows them:
// hex digits, one line a row.
QStringList storedBytes(const QString& path, const QString& table, const QString& column);

// A connection of the test's own, through Qt's QIBASE driver, to look into a
// database independently of the program's data module.
class TestConnection {
public:
    explicit TestConnection(const QString& path);
    ~TestConnection();
    TestConnection(const TestConnection&) = delete;
    TestConnection& operator=(const TestConnection&) = delete;

    QSqlDatabase database() const;
    // Runs a statement and commits it; fails the test when it fails.
    void execute(const QString& sql);
    // Every row of a query, its columns trimmed and joined by "|".
    QStringList rows(const QString& sql);

private:
    QString name_;
};
