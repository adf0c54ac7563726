#pragma once

#include "datastore/data_module.h"
#include "tests/support/workspace.h"

#include <QStringList>

// A new database of the test's own in a private workspace, open in a data
// module as the program opens its current database. Queries go through a
// connection of the test's own.
class BooksDatabase {
public:
    BooksDatabase() { dataModule.open(path); }

    // Runs a statement and commits it.
    void execute(const QString& sql) const;
    // The rows of a query, each row's values trimmed and joined by "|".
    QStringList rows(const QString& sql) const;
    // How many rows of `table` meet `where`.
    int count(const QString& table, const QString& where = "1 = 1") const;

    TestWorkspace workspace;
    QString path = workspace.copyOfNewDatabase("books");
    TDataModule2 dataModule;
};
