#pragma once

#include "obligations/arrears.h"
#include "platform/whole_file.h"

#include <QByteArray>
#include <QString>

// The arrears statement's amounts due as arrears.csv, one record per amount
// due in the statement's order, under the header
// kind,due_date,amount_due,paid_in_full_on,days_late,balance_after:
// the kind's name on the statement, dates as YYYY-MM-DD, amounts with two
// decimals and a point, the date paid in full and the days late empty while
// the amount is not paid in full, and the kind's balance at the end of the
// due date, negative when ahead. RFC 4180, CR LF after each record.
namespace arrears_csv {

inline constexpr char kFileName[] = "arrears.csv";

QByteArray bytes(const obligations::ArrearsStatement& statement);

// Writes the file whole or not at all, over an existing one only with
// Existing::Replace. Throws whole_file::WriteError.
void write(const obligations::ArrearsStatement& statement, const QString& path,
           whole_file::Existing existing);

}  // namespace arrears_csv
