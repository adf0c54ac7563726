#include "payments/payment_rules.h"
#include "datastore/field_text.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

namespace {

using namespace payment_rules;

const std::optional<QDate> kAbsent;

TEST(PaymentIntervals, CountWholeDaysOnlyBetweenTwoDates) {
    struct Case {
        std::optional<QDate> earlier, later;
        int days;
    };
    const Case cases[] = {
        {QDate(2004, 2, 1), QDate(2004, 2, 1), 0},
        {QDate(2004, 2, 27), QDate(2004, 3, 2), 4},   // through 29 February
        {QDate(2003, 12, 30), QDate(2004, 1, 2), 3},  // through the new year
        {QDate(2004, 3, 5), QDate(2004, 3, 2), -3},   // dates in reverse order
        {kAbsent, QDate(2004, 3, 2), -1},
        {QDate(2004, 3, 2), kAbsent, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dayInterval(c.earlier, c.later), c.days);
}

// Sent 2 Feb, available 5 Feb, delivered 9 Feb, cleared 20 Feb 2004.
TEST(PaymentSave, CompletesIntervalsSortKeyAndANewKeyOnlyWhenThereIsNone) {
    PaymentRecord record;
    record.itemDate = QDate(2004, 2, 1);
    record.sent = QDate(2004, 2, 2);
    record.available = QDate(2004, 2, 5);
    record.delivered = QDate(2004, 2, 9);
    record.cleared = QDate(2004, 2, 20);
    completeForSave(record, [] { return 46000.5; });
    EXPECT_EQ(record.daysSentToAvailable, 3);
    EXPECT_EQ(record.daysAvailableToDelivered, 4);
    EXPECT_EQ(record.daysSentToDelivered, 7);
    EXPECT_EQ(record.daysDeliveredToCleared, 11);
    EXPECT_EQ(record.daysSentToCleared, 18);
    EXPECT_EQ(record.sortKey, "20040201");
    EXPECT_EQ(record.pk, 46000.5);

    record.itemDate.reset();
    record.available.reset();
    completeForSave(record, [] { return 47000.0; });
    EXPECT_EQ(record.sortKey, "19010101");
    EXPECT_EQ(record.daysSentToAvailable, -1);
    EXPECT_EQ(record.daysAvailableToDelivered, -1);
    EXPECT_EQ(record.daysSentToCleared, 18);
    EXPECT_EQ(record.pk, 46000.5);
}

TEST(PickerPresets, EachPickerStartsAtItsOwnDateAndTheItemAtTodayWithoutOne) {
    const QDate today(2026, 12, 6);
    PaymentRecord record;
    record.sent = QDate(2004, 1, 2);
    record.returned = QDate(2004, 1, 7);
    PickerDates got = presetsOnEdit(record, today);
    EXPECT_EQ(got.item, today);
    EXPECT_EQ(got.sent, QDate(2004, 1, 2));
    EXPECT_EQ(got.available, field_text::kAbsentDate);
    EXPECT_EQ(got.returned, QDate(2004, 1, 7));
    record.itemDate = field_text::kAbsentDate;  // shown as "N/A"
    EXPECT_EQ(presetsOnEdit(record, today).item, today);
    record.itemDate = QDate(2004, 1, 1);
    EXPECT_EQ(presetsOnEdit(record, today).item, QDate(2004, 1, 1));
}

}  // namespace
