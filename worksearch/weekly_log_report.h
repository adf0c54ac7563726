#pragma once

#include "worksearch/weekly_log.h"

#include <QHash>
#include <QString>
#include <QStringList>

// The weekly work-search log as a text report in the payments report's
// frame and banner, with the user's name and address: per week its first
// and last day, each counted contact, the count against the number
// required and whether the week is met, and the totals at the end. A
// contact's name, position, place and comment wrap at word boundaries onto
// indented lines within 80 columns (a word too long for a line is split
// across lines; runs of blanks and line breaks print as one blank); nothing
// is cut.
namespace weekly_log_report {

inline constexpr int kLineWidth = 80;

// `configuration` holds the configuration record's values by column name,
// as report_text::configuration reads them.
QStringList build(const worksearch::WeeklyLog& log, const QHash<QString, QString>& configuration);

// "MET", "SHORT BY 2", or for a week without contacts "NO CONTACTS – SHORT BY 3".
QString verdictLine(const worksearch::Week& week);

}  // namespace weekly_log_report
