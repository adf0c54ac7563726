#include "reports/report_page.h"

#include "forms/fixed_font.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr double kLargestPoints = 8.0;
constexpr double kSmallestPoints = 4.0;

// The font size at which the longest line fills at most the page's width.
QFont fittingFont(QPaintDevice& device, const QStringList& lines, double width) {
    QFont font = fixedPitchFont();
    font.setPointSizeF(kLargestPoints);
    qsizetype longest = 1;
    for (const QString& line : lines)
        longest = std::max(longest, line.size());
    const double lineWidth = QFontMetricsF(font, &device).horizontalAdvance(QString(longest, 'M'));
    if (lineWidth > width)
        font.setPointSizeF(std::max(kSmallestPoints, kLargestPoints * width / lineWidth));
    return font;
}

}  // namespace

void paintReport(QPagedPaintDevice& device, const QStringList& lines) {
    QPainter painter(&device);
    const QRectF page(0, 0, device.width(), device.height());
    painter.setFont(fittingFont(device, lines, page.width()));
    const QFontMetricsF metrics(painter.font(), &device);
    const double lineHeight = metrics.lineSpacing();
    const int perPage = std::max(1, int((page.height() - 2 * lineHeight) / lineHeight));
    const int pages = std::max<int>(1, int((lines.size() + perPage - 1) / perPage));
    for (int pageNumber = 0; pageNumber < pages; ++pageNumber) {
        if (pageNumber > 0)
            device.newPage();
        const qsizetype first = qsizetype(pageNumber) * perPage;
        for (qsizetype line = first; line < std::min(lines.size(), first + perPage); ++line)
            painter.drawText(QPointF(0, metrics.ascent() + (line - first) * lineHeight),
                             lines[line]);
        painter.drawText(QRectF(0, page.height() - lineHeight, page.width(), lineHeight),
                         Qt::AlignHCenter,
                         QStringLiteral("Page %1 of %2").arg(pageNumber + 1).arg(pages));
    }
}

void writeReportPdf(const QString& path, const QStringList& lines, whole_file::Existing existing) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
        writer.setTitle(QStringLiteral("Quorvel4 report"));
        paintReport(writer, lines);
    }
    whole_file::write(path, pdf.data(), existing);
}
