#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

#include <optional>

// The mail files imported into a database, one row each in IMPORTED_FILE_4,
// known by the SHA-256 of their content. A row is written in the
// transaction of the import it records, so that it commits with the records
// or not at all.
namespace imported_file_table {

struct Row {
    QString digest;  // hexadecimal
    QDateTime importedAt;
    QString kind;      // the importer: "cb7", "4jobs", "recruiter"; empty when not known
    QString fileName;  // as given
    int records = 0;
};

// Adds the row on `connection`, in the transaction open there. Throws
// DatabaseError.
void insert(const QSqlDatabase& connection, const Row& row);

// The latest import of a content; nothing when it was never imported.
// Throws DatabaseError.
std::optional<Row> latest(const QSqlDatabase& connection, const QString& digest);

// "<file>, <n> records, <yyyy-MM-dd hh:mm>", as an earlier import is told.
QString description(const Row& row);
// A description read back; nothing when the text is not one.
std::optional<Row> fromDescription(const QString& digest, const QString& text);

}  // namespace imported_file_table
