#pragma once

#include "datastore/schema.h"
#include "datastore/sql_condition.h"
#include "platform/whole_file.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <initializer_list>

class TableModel;

// The records of a table as a CSV file (RFC 4180) that a spreadsheet, a
// lawyer's office or a court's system reads: UTF-8, a header row of the
// column names, dates as YYYY-MM-DD (empty when absent), amounts with two
// decimals and a point, memos whole, CR LF after each record.
namespace csv_export {

// Which rows, in which order.
struct Rows {
    SqlCondition condition{};
    QString orderBy{};  // "ORDER BY …"; empty for the primary key's order
};

// The rows a table model shows, in its order.
Rows rowsShownBy(const TableModel& model);

// One record of such a file from values already shown as text: each
// quoted where it must be, as UTF-8, CR LF after it.
QByteArray record(const QStringList& fields);
// Appends one such record to `file`.
void appendRecord(QByteArray& file, std::initializer_list<QStringView> fields);

// Writes the file whole or not at all, over an existing one only with
// Existing::Replace; returns how many records it holds.
// The rows are read from the file of `connection`, as stored. Throws
// DatabaseError when the rows cannot be read and std::runtime_error when
// the file cannot be written (whole_file::WriteError).
int exportTable(const QSqlDatabase& connection, const schema::Table& table, const Rows& rows,
                const QString& path, whole_file::Existing existing);

}  // namespace csv_export
