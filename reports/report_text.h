#pragma once

#include "datastore/locations.h"
#include "platform/whole_file.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <vector>

// What every text report shares: the banner between its frames, the address
// lines, table lines built cell by cell, the closing lines of a save and the
// file it writes.
namespace report_text {

// "+", 78 hyphens, "+".
QString frame();
// The line naming the program as the producer, between two bars.
QString banner();
// The frame, the banner and the frame.
QStringList bannerLines();

// The third address line: the city, ", ", the state, a blank and the ZIP code.
QString cityLine(const QString& city, const QString& state, const QString& zip);

// The two address blocks of the payments report from the configuration's
// values: the person receiving the payments with the social security
// number, then the person making them, labels of 27 characters, each block
// followed by an empty line.
QStringList paymentPartiesLines(const QHash<QString, QString>& configuration);

// Whole cents as an amount with two decimals and a point: "-1234.56".
QString centsText(qint64 cents);

// One cell of a table line, fitted to its width by the utility module.
struct Cell {
    QString text;
    int width = 0;
    QString fill = QStringLiteral("_");
    QString flag = QStringLiteral("N");
};
QString tableLine(const std::vector<Cell>& cells, int gap);

// The configuration record's columns as text by column name, blanks at the
// end dropped; empty when there is no record. Read in one query.
QHash<QString, QString> configuration(const QSqlDatabase& connection);

// The lines a save appends: the payments report's, and the statistics
// reports' between two rules of 55 hyphens.
QStringList paymentsClosingLines(const QString& path);
QStringList statisticsClosingLines(const QString& path);

// Writes the lines to `path`, each ended by CR LF, in Windows-1252, whole or
// not at all. Throws std::runtime_error naming the character Windows-1252
// cannot hold, or whole_file::WriteError.
void writeReportFile(const QString& path, const QStringList& lines, whole_file::Existing existing);

enum class Closing { Payments, Statistics };
// Creates the reports folder and writes `lines` with the closing lines
// naming the file to it, replacing an earlier report of that name; only
// once the file is written are the closing lines appended to `lines`.
// Returns the file's path.
QString save(const Locations& locations, const QString& fileName, Closing closing,
             QStringList& lines);

}  // namespace report_text
