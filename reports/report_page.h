#pragma once

#include "platform/whole_file.h"

#include <QString>
#include <QStringList>

class QPagedPaintDevice;

// A report on paper or in a PDF: one report line per printed line in the
// fixed-pitch font, small enough for the longest line to fit the page's
// width, and "Page N of M" at the foot of each page.
void paintReport(QPagedPaintDevice& device, const QStringList& lines);

// Writes the report as a PDF, landscape, whole or not at all; throws
// whole_file::WriteError naming the file and the reason when it cannot be
// written.
void writeReportPdf(const QString& path, const QStringList& lines, whole_file::Existing existing);
