#pragma once

#include "datastore/schema.h"

#include <QByteArray>
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <optional>
#include <vector>

// The history of the payment and job search records: HISTORY_4 holds one
// row per change, written in the transaction of the change itself, each
// row chained to the one before by a SHA-256 hash.
//
// How the hash of a row is made, so that any program can check the chain:
// take, in this order, PREV_HASH, ID, MOMENT, TABLE_NAME, RECORD_KEY,
// ACTION, SOURCE and CHANGES, each as the Windows-1252 bytes the row holds
// and each followed by one line feed (0x0A); HASH is the SHA-256 of those
// bytes in lower-case hexadecimal. ID is written in decimal, MOMENT as
// "YYYY-MM-DD HH:MM:SS" (the row holds whole seconds), PREV_HASH without
// the blanks that pad it. The first row (ID 1) has an empty PREV_HASH;
// every later row's ID is one more than the row before and its PREV_HASH
// is that row's HASH. A null CHANGES counts as empty.
//
// CHANGES holds one line per column, lines separated by a line feed:
// "COLUMN<TAB>old value<TAB>new value", values as the CSV export shows them
// (text without its padding, dates as YYYY-MM-DD and empty when absent,
// amounts with two decimals). A backslash, tab, line feed or carriage
// return inside a value is written as \\, \t, \n or \r.
namespace record_history {

// How MOMENT is written wherever the history is shown or hashed.
inline constexpr char kMomentFormat[] = "yyyy-MM-dd HH:mm:ss";

inline constexpr char kAdded[] = "ADDED";
inline constexpr char kChanged[] = "CHANGED";
inline constexpr char kDeleted[] = "DELETED";
// The values a payment record held when its database gained the history.
inline constexpr char kPresentAtUpgrade[] = "PRESENT AT UPGRADE";
// A database restored from a backup.
inline constexpr char kRestored[] = "RESTORED";

struct Entry {
    QString tableName;
    QString recordKey;
    QString action;
    QString source;
    QString changes;
};

// The fields a row's hash covers, as the bytes described above.
struct HashedFields {
    QByteArray previousHash, id, moment, tableName, recordKey, action, source, changes;
};
QByteArray hashOf(const HashedFields& fields);

// A row of the history as stored.
struct StoredEntry {
    qint64 id = 0;
    QDateTime moment;
    QString tableName, recordKey, action, source, changes, previousHash, hash;
};

// Which rows to read: those of a day from `from` to `to` (either open), of
// one table and one record key when given.
struct EntryFilter {
    std::optional<QDate> from, to;
    QString tableName;
    QString recordKey;
};

// The rows the filter names, newest first when `newestFirst`, else in the
// order of the chain; read in a short transaction of their own. Throws
// DatabaseError.
std::vector<StoredEntry> entries(const QSqlDatabase& connection, const EntryFilter& filter,
                                 bool newestFirst = false);

// A value of `column`, as a table model holds it, shown as the CSV export
// shows it.
QString shownValue(const schema::Column& column, const QVariant& value);
// The key of a record as the history names it.
QString recordKey(double pk);
// CHANGES for a record added: every column, its old value empty.
QString addedValues(const schema::Table& table, const QVariantList& values);
// CHANGES for a record deleted: every column, its new value empty.
QString deletedValues(const schema::Table& table, const QVariantList& values);
// CHANGES for a record changed: only the columns whose shown value differs.
QString changedValues(const schema::Table& table, const QVariantList& before,
                      const QVariantList& after);

// One line of CHANGES, its values unescaped.
struct Change {
    QString column, before, after;
};
// A value of a CHANGES line with its escapes undone.
QString unescaped(const QString& value);
// CHANGES holding the lines given, escaped.
QString changesText(const std::vector<Change>& changes);
// CHANGES for an entry that tells facts rather than a record's columns (an
// import, a title step, a baseline): a line "NAME<TAB><TAB>value" each.
QString factLines(const std::vector<std::pair<QString, QString>>& facts);
std::vector<Change> parseChanges(const QString& changes);

// Appends the entry as the next row of the chain, stamped with the present
// moment, on the connection's current transaction: it is kept only when the
// caller's transaction commits. A source longer than its column is cut;
// text Windows-1252 cannot hold is refused.
// Throws DatabaseError.
void appendEntry(const QSqlDatabase& connection, const Entry& entry);

// Appends the entry of a record stored in `table`: ADDED with every value
// when there was no `before`, else CHANGED with the columns whose shown
// value differs; a change that changes no shown value writes none. On the
// connection's current transaction. Throws DatabaseError.
void appendStored(const QSqlDatabase& connection, const schema::Table& table, const QString& key,
                  const QString& source, const std::optional<QVariantList>& before,
                  const QVariantList& after);

// The baseline of a database that gains the history, on the connection's
// current transaction: one PRESENT AT UPGRADE entry for each payment record,
// holding all its values, and one for the job search records as a whole
// (an empty key), holding their count and the digest jobSearchDigest gives.
void appendBaseline(const QSqlDatabase& connection, const QString& source);

// The SHA-256, in lower-case hexadecimal, of the job search records: for each
// record in the order of its key, its values as CHANGES shows them (escaped
// the same way) separated by tabs, and a line feed, as Windows-1252 bytes.
// Read on the connection's current transaction. Throws DatabaseError.
struct TableDigest {
    int records = 0;
    QByteArray sha256;
};
TableDigest jobSearchDigest(const QSqlDatabase& connection);

// Deletes the record of `table` whose key is `pk` and appends its DELETED
// entry holding all the values it had, on the connection's current
// transaction; refuses when the record is no longer there. Throws
// DatabaseError.
void deleteRecord(const QSqlDatabase& connection, const schema::Table& table, double pk,
                  const QString& source);

// A record's values in the order of its table's columns, through the
// columns bound to its members (record_columns::Columns).
template <typename BoundColumns, typename Record>
QVariantList valuesOf(const BoundColumns& bound, const Record& record) {
    QVariantList values;
    for (const schema::Column& column : bound.table().columns)
        values.append(bound.value(record, column.name));
    return values;
}

}  // namespace record_history
