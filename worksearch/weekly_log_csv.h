#pragma once

#include "platform/whole_file.h"
#include "worksearch/weekly_log.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The weekly work-search log as two CSV files (RFC 4180, UTF-8, CR LF after
// each record, dates as YYYY-MM-DD): weeks.csv, one record per counted
// contact with its week, and weeks_summary.csv, one record per week.
namespace weekly_log_csv {

inline constexpr char kContactsFileName[] = "weeks.csv";
inline constexpr char kSummaryFileName[] = "weeks_summary.csv";

// Header week_start,week_end,date,time,contact_name,method,position_title,
// city,state,comment; method E-MAIL or OTHER.
QByteArray contactsBytes(const worksearch::WeeklyLog& log);
// Header week_start,week_end,counted,required,status; status MET or SHORT.
QByteArray summaryBytes(const worksearch::WeeklyLog& log);

// The paths of both files in `folder`, weeks.csv first.
QStringList paths(const QString& folder);

// Writes both files into `folder` as a pair (whole_file::writePair), over
// existing ones only with Existing::Replace. Throws whole_file::WriteError.
void write(const worksearch::WeeklyLog& log, const QString& folder, whole_file::Existing existing);

}  // namespace weekly_log_csv
