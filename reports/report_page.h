#pragma once

#include "platform/whole_file.h"

#include <QString>
#include <QStringList>

class QPagedPaintDevice;

// A report on paper or in a PDF: one report line per printed line in the
// fixed-pitch font, from 8 points down to 4 until the longest line fits the
// page's width, and "Page N of M" at the foot of each page. No character is
// lost where even 4 points is too wide: a PDF's page grows in width, and on
// paper the columns that do not fit continue on the following pages, each
// line starting with its first column (the payments report's item date).
void paintReport(QPagedPaintDevice& device, const QStringList& lines);

// Writes the report as a PDF, landscape, whole or not at all; throws
// whole_file::WriteError naming the file and the reason when it cannot be
// written.
void writeReportPdf(const QString& path, const QStringList& lines, whole_file::Existing existing);
