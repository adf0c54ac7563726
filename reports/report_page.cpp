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

qsizetype longestLength(const QStringList& lines) {
    qsizetype longest = 1;
    for (const QString& line : lines)
        longest = std::max(longest, line.size());
    return longest;
}

double characterWidth(const QFont& font, QPaintDevice& device) {
    return QFontMetricsF(font, &device).horizontalAdvance(QLatin1Char('M'));
}

// The largest size from 8 points down to 4 at which the longest line fills
// at most the page's width; 4 points when none does.
QFont fittingFont(QPaintDevice& device, const QStringList& lines, double width) {
    QFont font = fixedPitchFont();
    font.setPointSizeF(kLargestPoints);
    const qsizetype longest = longestLength(lines);
    const double lineWidth = longest * characterWidth(font, device);
    if (lineWidth > width)
        font.setPointSizeF(std::max(kSmallestPoints, kLargestPoints * width / lineWidth));
    // Glyph widths are rounded at each size, so the scaled size can be a
    // hair too wide.
    while (font.pointSizeF() > kSmallestPoints && longest * characterWidth(font, device) > width)
        font.setPointSizeF(std::max(kSmallestPoints, font.pointSizeF() * 0.98));
    return font;
}

// A PDF has no paper: its page grows in width until the longest line fits
// at the smallest type.
void widenToHoldTheLines(QPdfWriter& pdf, const QStringList& lines) {
    QFont smallest = fixedPitchFont();
    smallest.setPointSizeF(kSmallestPoints);
    const double needed = (longestLength(lines) + 1) * characterWidth(smallest, pdf);
    if (needed <= pdf.width())
        return;
    const QPageLayout layout = pdf.pageLayout();
    const QSizeF full = layout.fullRectPoints().size();
    const double widthPoints = full.width() + (needed - pdf.width()) * 72.0 / pdf.logicalDpiX();
    pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(widthPoints, full.height()), QPageSize::Point,
                                            QString(), QPageSize::ExactMatch),
                                  QPageLayout::Portrait, layout.margins(), layout.units()));
}

// Lines too long for the paper are printed in slices of whole columns, one
// page of slices after the other; each slice after the first starts with
// the lines' first column again (the payments report's item date), so every
// printed row says which line it continues.
struct Slices {
    qsizetype repeated = 0;
    std::vector<qsizetype> starts{0};
};

bool blankAt(const QString& line, qsizetype position) {
    return line.at(position) == QLatin1Char(' ');
}

// Whether every line that runs past `end` has a blank just before it: a
// cut there runs between two columns of a table.
bool cutsBetweenColumns(const QStringList& lines, qsizetype end) {
    for (const QString& line : lines)
        if (line.size() > end && !blankAt(line, end - 1))
            return false;
    return true;
}

// The width of the first column and its gap when every line too long for
// the page has one there; 0 when they have none in common.
qsizetype firstColumnWidth(const QStringList& lines, qsizetype across) {
    for (qsizetype width = 3; width <= across / 4; ++width) {
        bool common = true;
        for (const QString& line : lines)
            if (line.size() > across && (!blankAt(line, width - 2) || !blankAt(line, width - 1)))
                common = false;
        if (common)
            return width;
    }
    return 0;
}

Slices slicesOf(const QStringList& lines, qsizetype across) {
    Slices slices;
    const qsizetype longest = longestLength(lines);
    if (longest <= across)
        return slices;
    slices.repeated = firstColumnWidth(lines, across);
    for (qsizetype start = 0;;) {
        const qsizetype room = across - (start == 0 ? 0 : slices.repeated);
        if (start + room >= longest)
            return slices;
        // A cut between columns in the slice's second half, else at its edge.
        qsizetype end = start + room;
        while (end > start + room / 2 && !cutsBetweenColumns(lines, end))
            --end;
        start = end > start + room / 2 ? end : start + room;
        slices.starts.push_back(start);
    }
}

// The part of a line that a slice prints.
QString sliceOf(const QString& line, const Slices& slices, std::size_t slice) {
    const qsizetype start = slices.starts[slice];
    const qsizetype end = slice + 1 < slices.starts.size() ? slices.starts[slice + 1] : line.size();
    if (slice == 0)
        return line.left(end);
    if (line.size() <= start)
        return QString();
    return line.left(slices.repeated) + line.mid(start, end - start);
}

QString pageFoot(int page, int pages, std::size_t slice) {
    const QString foot = QStringLiteral("Page %1 of %2").arg(page).arg(pages);
    if (slice == 0)
        return foot;
    return foot + QStringLiteral(", the lines of page %1 continued").arg(page - int(slice));
}

}  // namespace

void paintReport(QPagedPaintDevice& device, const QStringList& lines) {
    if (auto* pdf = dynamic_cast<QPdfWriter*>(&device))
        widenToHoldTheLines(*pdf, lines);
    QPainter painter(&device);
    const QRectF page(0, 0, device.width(), device.height());
    painter.setFont(fittingFont(device, lines, page.width()));
    const QFontMetricsF metrics(painter.font(), &device);
    const double lineHeight = metrics.lineSpacing();
    const auto across = qsizetype(page.width() / metrics.horizontalAdvance(QLatin1Char('M')));
    const Slices slices = slicesOf(lines, std::max<qsizetype>(across, 1));
    const int perPage = std::max(1, int((page.height() - 2 * lineHeight) / lineHeight));
    const int bands = std::max<int>(1, int((lines.size() + perPage - 1) / perPage));
    const int pages = bands * int(slices.starts.size());
    int pageNumber = 0;
    for (int band = 0; band < bands; ++band) {
        const qsizetype first = qsizetype(band) * perPage;
        for (std::size_t slice = 0; slice < slices.starts.size(); ++slice) {
            if (pageNumber++ > 0)
                device.newPage();
            for (qsizetype line = first; line < std::min(lines.size(), first + perPage); ++line)
                painter.drawText(QPointF(0, metrics.ascent() + (line - first) * lineHeight),
                                 sliceOf(lines[line], slices, slice));
            painter.drawText(QRectF(0, page.height() - lineHeight, page.width(), lineHeight),
                             Qt::AlignHCenter, pageFoot(pageNumber, pages, slice));
        }
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
