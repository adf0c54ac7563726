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
        {text(2004, 3, 2), "", -1},
        {"not a date", text(2004, 3, 2), -1},
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

TEST(PickerPresets, EmptyFieldsBorrowTheirNeighboursDates) {
    const QDate item(2004, 1, 1), sent(2004, 1, 2), available(2004, 1, 3), second(2004, 1, 4),
        third(2004, 1, 5), delivered(2004, 1, 6), returned(2004, 1, 7), cleared(2004, 1, 8);
    const QDate today(2026, 12, 6), absent = field_text::kAbsentDate;
    auto t = [](const QDate& d) { return kbx::short_date_text(d); };
    struct Case {
        const char* what;
        DateTexts fields;
        PickerDates expected;
    };
    const Case cases[] = {
        {"every field set",
         {t(item), t(sent), t(available), t(second), t(third), t(delivered), t(returned),
          t(cleared)},
         {item, sent, available, second, third, delivered, returned, cleared}},
        {"available empty takes sent",
         {t(item), t(sent), "", t(second), t(third), t(delivered), t(returned), t(cleared)},
         {item, sent, sent, second, third, delivered, returned, cleared}},
        {"sent and available empty take the item date",
         {t(item), "", "", t(second), t(third), t(delivered), t(returned), t(cleared)},
         {item, item, item, second, third, delivered, returned, cleared}},
        {"2nd try takes sent, 3rd try takes what 2nd try stands for (available)",
         {t(item), t(sent), t(available), "", "", t(delivered), t(returned), t(cleared)},
         {item, sent, available, sent, available, delivered, returned, cleared}},
        {"delivered takes available; returned and cleared take delivered",
         {t(item), t(sent), t(available), t(second), t(third), "", "", ""},
         {item, sent, available, second, third, available, available, available}},
        {"returned and cleared empty take the delivered date",
         {t(item), t(sent), t(available), t(second), t(third), t(delivered), "", ""},
         {item, sent, available, second, third, delivered, delivered, delivered}},
        {"absent dates stay absent and are passed on as absent",
         {t(item), t(sent), "N/A", "", "", "", "", "N/A"},
         {item, sent, absent, sent, absent, absent, absent, absent}},
        {"an empty or unreadable item date starts at today",
         {"", "", "", "", "", "", "", ""},
         {today, today, today, today, today, today, today, today}},
        {"an item date that is no date starts at today",
         {"garbage", t(sent), t(available), t(second), t(third), t(delivered), t(returned),
          t(cleared)},
         {today, sent, available, second, third, delivered, returned, cleared}},
    };
    for (const Case& c : cases) {
        const PickerDates got = presetsOnEdit(c.fields, today);
        const QDate gotList[] = {got.item,     got.sent,      got.available, got.secondTry,
                                 got.thirdTry, got.delivered, got.returned,  got.cleared};
        const QDate wantList[] = {c.expected.item,      c.expected.sent,     c.expected.available,
                                  c.expected.secondTry, c.expected.thirdTry, c.expected.delivered,
                                  c.expected.returned,  c.expected.cleared};
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(gotList[i], wantList[i])
                << c.what << ", picker " << i << ": " << gotList[i].toString().toStdString();
    }
}

}  // namespace
