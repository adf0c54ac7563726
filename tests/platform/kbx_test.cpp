#include "platform/kbx.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

namespace {

using namespace kbx;

struct FormatCase {
    QString cell;
    int width;
    int gap;
    QString fill;
    QString flag;
    QString expected;
};

TEST(FormatOutput, FitsEachCellToItsColumn) {
    const FormatCase cases[] = {
        {"ABC", 6, 2, " ", "N", "ABC     "},             // left, blank fill, gap
        {"ABC", 6, 5, "_", "N", "ABC___     "},          // fill character, wide gap
        {"ABCDEFGH", 5, 2, " ", "N", "ABCDE  "},         // text is cut to the width
        {"12.50", 8, 2, " ", "Y", "   12.50  "},         // numbers align right
        {"", 4, 2, "-", "Y", "----  "},                  // a rule
        {"1234567.89", 6, 2, " ", "Y", "1234567.89  "},  // an amount never loses digits
        {"ABCDEF", 6, 0, " ", "N", "ABCDEF"},            // exact width, no gap
    };
    for (const FormatCase& c : cases) {
        QString line = "|";
        _kbx_format_output(c.cell, line, c.width, c.gap, c.fill, c.flag);
        EXPECT_EQ(line, "|" + c.expected)
            << c.cell.toStdString() << " flag " << c.flag.toStdString();
    }
}

TEST(ReferenceNumbers, CountDaysSince1899WithTheTimeAsFraction) {
    EXPECT_DOUBLE_EQ(refnum_of(QDateTime(QDate(2004, 2, 1), QTime(12, 0))), 38018.5);
    EXPECT_DOUBLE_EQ(refnum_of(QDateTime(QDate(1899, 12, 31), QTime(6, 0))), 1.25);
    const double now = _kbx_refnum_from_tdatetime();
    EXPECT_GT(now, 46000.0);
    EXPECT_LT(now, 99999.0);
    // Held as 15-significant-digit text, the number comes back unchanged.
    EXPECT_EQ(QString::number(now, 'g', 15).toDouble(), now);
}

TEST(ReferenceNumbers, StayAboveEveryKeyAnImportDerived) {
    double previous = _kbx_refnum_from_tdatetime();
    for (int i = 0; i < 1000; ++i) {
        const double next = _kbx_refnum_from_tdatetime();
        ASSERT_GT(next, previous);
        previous = next;
    }
    // An import takes one number and adds 1e-10 day per further record.
    const double base = _kbx_refnum_from_tdatetime();
    double highest = base;
    for (int record = 1; record < 5000; ++record)
        highest = QString::number(base + record * 0.0000000001, 'g', 15).toDouble();
    _kbx_refnum_record_used(highest);
    const double after = _kbx_refnum_from_tdatetime();
    EXPECT_GT(after, highest);
    EXPECT_GT(QString::number(after, 'g', 15).toDouble(), highest);
}

}  // namespace
