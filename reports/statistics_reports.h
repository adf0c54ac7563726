#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The two reports of the jobs not qualified for: by job title category
// (STATS_JT_4) and by state (STATS_ST_4). Each is the list of its lines, from
// the banner to the totals.
namespace statistics_reports {

// The lines a report form shows before its first Generate.
QStringList titleAdvice();
QStringList stateAdvice();

// `computerName` is the machine's network name: on one machine a category
// "DBA" is printed as "ORACLE DBA".
QStringList titleReport(const QSqlDatabase& connection, const QString& computerName);
QStringList stateReport(const QSqlDatabase& connection);

// The file each report is saved to, in the reports folder.
inline const QString kTitleFileName = QStringLiteral("_JOB_SEARCH_TITLE_STATS.txt");
inline const QString kStateFileName = QStringLiteral("_JOB_SEARCH_STATE_STATS.txt");

}  // namespace statistics_reports
