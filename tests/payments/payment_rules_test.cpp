#include "payments/payment_rules.h"
#include "datastore/field_text.h"
#include "platform/kbx.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

namespace {

using namespace payment_rules;

QString text(int year, int month, int day) {
    return kbx::short_date_text(QDate(year, month, day));
}

TEST(PaymentIntervals, CountWholeDaysOnlyBetweenTwoDates) {
    struct Case {
        QString earlier, later;
        int days;
    };
    const Case cases[] = {
        {text(2004, 2, 1), text(2004, 2, 1), 0},
        {text(2004, 2, 1), text(2004, 2, 2), 1},
        {text(2004, 2, 27), text(2004, 3, 2), 4},   // through 29 February
        {text(2003, 12, 30), text(2004, 1, 2), 3},  // through the new year
        {text(2004, 3, 5), text(2004, 3, 2), -3},   // dates in reverse order
        {"N/A", text(2004, 3, 2), -1},              // absent earlier date
        {text(2004, 3, 2), "N/A", -1},              // absent later date
        {"", text(2004, 3, 2), -1},                 // empty field
    };
    for (const Case& c : cases)
        EXPECT_EQ(dayInterval(c.earlier, c.later), c.days)
            << c.earlier.toStdString() << " -> " << c.later.toStdString();
}

TEST(PaymentSortKey, IsTheItemDateOrTheAbsentDate) {
    EXPECT_EQ(sortKeyOf(text(2004, 2, 1)), "20040201");
    EXPECT_EQ(sortKeyOf("N/A"), "19010101");
    EXPECT_EQ(sortKeyOf(""), "19010101");
}

// Dates written as days of January 2004; 0 is an empty field, -1 the absent
// date "N/A", 99 a text that is no date, and 6 December 2026 is today.
QDate dayOf(int day) {
    return day == -1   ? field_text::kAbsentDate
           : day == 99 ? QDate(2026, 12, 6)
                       : QDate(2004, 1, day);
}

QString fieldOf(int day) {
    return day == 0 ? "" : day == -1 ? "N/A" : day == 99 ? "garbage" : text(2004, 1, day);
}

TEST(PickerPresets, EmptyFieldsBorrowTheirNeighboursDates) {
    struct Case {
        const char* what;
        int fields[8];  // item, sent, available, 2nd, 3rd, delivered, returned, cleared
        int pickers[8];
    };
    // clang-format off
    const Case cases[] = {
        {"every field set",                      {1, 2, 3, 4, 5, 6, 7, 8},  {1, 2, 3, 4, 5, 6, 7, 8}},
        {"available takes sent",                 {1, 2, 0, 4, 5, 6, 7, 8},  {1, 2, 2, 4, 5, 6, 7, 8}},
        {"sent and available take the item",     {1, 0, 0, 4, 5, 6, 7, 8},  {1, 1, 1, 4, 5, 6, 7, 8}},
        {"2nd takes sent, 3rd what 2nd stands",  {1, 2, 3, 0, 0, 6, 7, 8},  {1, 2, 3, 2, 3, 6, 7, 8}},
        {"delivered and cleared take available", {1, 2, 3, 4, 5, 0, 0, 0},  {1, 2, 3, 4, 5, 3, -1, 3}},
        {"cleared takes delivered, returned no", {1, 2, 3, 4, 5, 6, 0, 0},  {1, 2, 3, 4, 5, 6, -1, 6}},
        {"absent dates stay and pass on absent", {1, 2, -1, 0, 0, 0, 0, -1}, {1, 2, -1, 2, -1, -1, -1, -1}},
        {"no item date starts at today",         {0, 0, 0, 0, 0, 0, 0, 0},  {99, 99, 99, 99, 99, 99, -1, 99}},
        {"an item date that is no date too",     {99, 2, 3, 4, 5, 6, 7, 8}, {99, 2, 3, 4, 5, 6, 7, 8}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const int* f = c.fields;
        const PickerDates got =
            presetsOnEdit({fieldOf(f[0]), fieldOf(f[1]), fieldOf(f[2]), fieldOf(f[3]),
                           fieldOf(f[4]), fieldOf(f[5]), fieldOf(f[6]), fieldOf(f[7])},
                          dayOf(99));
        const QDate shown[] = {got.item,     got.sent,      got.available, got.secondTry,
                               got.thirdTry, got.delivered, got.returned,  got.cleared};
        for (int picker = 0; picker < 8; ++picker)
            EXPECT_EQ(shown[picker], dayOf(c.pickers[picker])) << c.what << ", picker " << picker;
    }
}

}  // namespace
