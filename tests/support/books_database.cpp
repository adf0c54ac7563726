#include "tests/support/books_database.h"

#include "tests/support/test_connection.h"

void BooksDatabase::execute(const QString& sql) const {
    TestConnection(path).execute(sql);
}

QStringList BooksDatabase::rows(const QString& sql) const {
    return TestConnection(path).rows(sql);
}

int BooksDatabase::count(const QString& table, const QString& where) const {
    return rows("SELECT COUNT(*) FROM " + table + " WHERE " + where).value(0).toInt();
}
