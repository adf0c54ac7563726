#include "obligations/arrears.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QDate& date, std::ostream* out);

namespace {

using namespace obligations;

QDate d(int year, int month, int day) {
    return QDate(year, month, day);
}

Obligation monthlyChildSupport(qint64 cents, const QDate& firstDue,
                               std::optional<QDate> lastDue = std::nullopt) {
    Obligation obligation;
    obligation.kind = Kind::ChildSupport;
    obligation.amount = cents;
    obligation.frequency = Frequency::Monthly;
    obligation.firstDue = firstDue;
    obligation.lastDue = lastDue;
    return obligation;
}

Payment childSupport(qint64 cents, std::optional<QDate> sent, const char* check) {
    Payment payment;
    payment.childSupport = cents;
    payment.sent = sent;
    payment.itemDate = sent;
    payment.checkNumber = check;
    return payment;
}

KindStatement childSupportStatement(const std::vector<Obligation>& obligations,
                                    const std::vector<Payment>& payments, const QDate& from,
                                    const QDate& to) {
    const ArrearsStatement statement =
        arrearsStatement(obligations, payments, from, to, CountingDate::Sent);
    EXPECT_EQ(statement.kinds.size(), 1u);
    return statement.kinds.empty() ? KindStatement{} : statement.kinds.front();
}

// The checks and cents applied to an amount due, as "check:cents" texts.
std::vector<std::string> parts(const AmountDue& amount) {
    std::vector<std::string> shown;
    for (const AppliedPayment& part : amount.applied)
        shown.push_back(part.checkNumber.toStdString() + ":" + std::to_string(part.amount));
    return shown;
}

TEST(ApplyingPayments, ExactPaymentsOnOrBeforeTheDueDateAreNotLateAndMoreIsACredit) {
    const KindStatement kind = childSupportStatement(
        {monthlyChildSupport(50000, d(2024, 1, 1))},
        {childSupport(50000, d(2023, 12, 28), "101"), childSupport(50000, d(2024, 2, 1), "102"),
         childSupport(50000, d(2024, 3, 1), "103"), childSupport(20000, d(2024, 3, 20), "104")},
        d(2024, 1, 1), d(2024, 3, 31));
    ASSERT_EQ(kind.amountsDue.size(), 3u);
    const QDate paidOn[] = {d(2023, 12, 28), d(2024, 2, 1), d(2024, 3, 1)};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(kind.amountsDue[i].paidInFull, paidOn[i]);
        EXPECT_EQ(kind.amountsDue[i].daysLate, 0);
        EXPECT_EQ(kind.amountsDue[i].balanceAfter, 0);
    }
    ASSERT_EQ(kind.credit.size(), 1u);
    EXPECT_EQ(kind.credit[0].checkNumber, "104");
    EXPECT_EQ(kind.credit[0].amount, 20000);
    EXPECT_EQ(kind.balanceAtEnd, -20000);
    EXPECT_EQ(kind.paidLate, 0);
}

// 1234.56 a month; 2569.12 on 10 February pays January and February and
// leaves 100.00 towards March, which 1134.56 on 5 March completes.
TEST(ApplyingPayments, OnePaymentCoversTwoMonthsAndItsCreditGoesToTheNext) {
    const KindStatement kind = childSupportStatement(
        {monthlyChildSupport(123456, d(2024, 1, 1))},
        {childSupport(256912, d(2024, 2, 10), "201"), childSupport(113456, d(2024, 3, 5), "202")},
        d(2024, 1, 1), d(2024, 3, 31));
    ASSERT_EQ(kind.amountsDue.size(), 3u);
    const AmountDue &january = kind.amountsDue[0], &february = kind.amountsDue[1],
                    &march = kind.amountsDue[2];
    EXPECT_EQ(parts(january), std::vector<std::string>{"201:123456"});
    EXPECT_EQ(january.paidInFull, d(2024, 2, 10));
    EXPECT_EQ(january.daysLate, 40);
    EXPECT_EQ(january.balanceAfter, 123456);
    EXPECT_EQ(february.daysLate, 9);
    EXPECT_EQ(february.balanceAfter, 123456 * 2);
    EXPECT_EQ(parts(march), (std::vector<std::string>{"201:10000", "202:113456"}));
    EXPECT_EQ(march.paidInFull, d(2024, 3, 5));
    EXPECT_EQ(march.daysLate, 4);
    EXPECT_EQ(march.balanceAfter, 123456 - 10000);
    EXPECT_EQ(kind.paidLate, 3);
    EXPECT_EQ(kind.mostDaysLate, 40);
    ASSERT_EQ(kind.months.size(), 3u);
    EXPECT_EQ(kind.months[0].balance, 123456);
    EXPECT_EQ(kind.months[1].paid, 256912);
    EXPECT_EQ(kind.months[1].balance, -10000);
    EXPECT_EQ(kind.months[2].balance, 0);
    EXPECT_EQ(kind.balanceAtEnd, 0);
}

// The payments come in another order than their dates, as records may.
TEST(ApplyingPayments, AShortPaymentIsPaidInFullOnTheCatchUpsDate) {
    const KindStatement kind = childSupportStatement(
        {monthlyChildSupport(50000, d(2024, 1, 1))},
        {childSupport(40000, d(2024, 3, 1), "303"), childSupport(70000, d(2024, 2, 15), "302"),
         childSupport(30000, d(2024, 1, 1), "301")},
        d(2024, 1, 1), d(2024, 3, 31));
    ASSERT_EQ(kind.amountsDue.size(), 3u);
    EXPECT_EQ(parts(kind.amountsDue[0]), (std::vector<std::string>{"301:30000", "302:20000"}));
    EXPECT_EQ(kind.amountsDue[0].paidInFull, d(2024, 2, 15));
    EXPECT_EQ(kind.amountsDue[0].daysLate, 45);
    EXPECT_EQ(kind.amountsDue[1].daysLate, 14);
    EXPECT_EQ(kind.amountsDue[2].paidInFull, std::nullopt);
    EXPECT_EQ(kind.amountsDue[2].daysLate, std::nullopt);
    EXPECT_EQ(kind.balanceAtEnd, 10000);
    EXPECT_EQ(kind.mostDaysLate, 45);
}

// A cheque returned, one not sent yet, and money taken back that opens
// January again until the replacement.
TEST(WhatCounts, ReturnedAndUnsentPaymentsAreListedNotCounted) {
    Payment returned = childSupport(50000, d(2024, 1, 1), "401");
    returned.returned = d(2024, 1, 10);
    Payment unsent = childSupport(50000, std::nullopt, "402");
    unsent.itemDate = d(2024, 1, 25);
    const KindStatement kind = childSupportStatement(
        {monthlyChildSupport(50000, d(2024, 1, 1), d(2024, 1, 31))},
        {returned, unsent, childSupport(50000, d(2024, 1, 2), "403"),
         childSupport(-50000, d(2024, 1, 5), "403"), childSupport(50000, d(2024, 1, 20), "404")},
        d(2024, 1, 1), d(2024, 1, 31));
    ASSERT_EQ(kind.amountsDue.size(), 1u);
    EXPECT_EQ(kind.amountsDue[0].paidInFull, d(2024, 1, 20));
    EXPECT_EQ(kind.amountsDue[0].daysLate, 19);
    EXPECT_EQ(parts(kind.amountsDue[0]),
              (std::vector<std::string>{"403:50000", "403:-50000", "404:50000"}));
    ASSERT_EQ(kind.returned.size(), 1u);
    EXPECT_EQ(kind.returned[0].checkNumber, "401");
    ASSERT_EQ(kind.notYetCounted.size(), 1u);
    EXPECT_EQ(kind.notYetCounted[0].checkNumber, "402");
    EXPECT_EQ(kind.balanceAtEnd, 0);
}

TEST(WhatCounts, APaymentCountsOnlyForTheKindItsAmountIsIn) {
    Payment both = childSupport(20000, d(2024, 1, 1), "501");
    both.spousalSupport = 90000;
    Payment spousalOnly;
    spousalOnly.spousalSupport = 50000;
    spousalOnly.sent = d(2024, 1, 1);
    const ArrearsStatement statement =
        arrearsStatement({monthlyChildSupport(50000, d(2024, 1, 1))}, {both, spousalOnly},
                         d(2024, 1, 1), d(2024, 1, 31), CountingDate::Sent);
    ASSERT_EQ(statement.kinds.size(), 1u);
    EXPECT_EQ(statement.kinds[0].kind, Kind::ChildSupport);
    EXPECT_EQ(statement.kinds[0].balanceAtEnd, 30000);
    EXPECT_EQ(statement.kinds[0].amountsDue[0].paidInFull, std::nullopt);
}

TEST(WhatCounts, TheStatementCountsOnTheDateItIsAskedFor) {
    Payment payment = childSupport(50000, d(2024, 1, 1), "701");
    payment.cleared = d(2024, 1, 12);
    const std::vector<Obligation> order = {monthlyChildSupport(50000, d(2024, 1, 1))};
    const auto statementOn = [&](CountingDate counting) {
        return arrearsStatement(order, {payment}, d(2024, 1, 1), d(2024, 1, 31), counting)
            .kinds.front();
    };
    EXPECT_EQ(statementOn(CountingDate::Sent).amountsDue[0].daysLate, 0);
    EXPECT_EQ(statementOn(CountingDate::Cleared).amountsDue[0].daysLate, 11);
    const KindStatement onDelivery = statementOn(CountingDate::Delivered);
    EXPECT_EQ(onDelivery.notYetCounted.size(), 1u);
    EXPECT_EQ(onDelivery.balanceAtEnd, 50000);
}

// 500.00 a month changed to 700.00 from April; the statement from March
// carries February's shortfall and lists February as still owed.
TEST(WhatCounts, AModificationFromADateAndTheBalanceBroughtForward) {
    const std::vector<Obligation> order = {
        monthlyChildSupport(50000, d(2024, 1, 1), d(2024, 3, 31)),
        monthlyChildSupport(70000, d(2024, 4, 1))};
    const KindStatement kind = childSupportStatement(
        order,
        {childSupport(50000, d(2024, 1, 1), "601"), childSupport(20000, d(2024, 2, 1), "602"),
         childSupport(80000, d(2024, 3, 10), "603"), childSupport(70000, d(2024, 4, 1), "604"),
         childSupport(50000, d(2024, 5, 1), "605")},
        d(2024, 3, 1), d(2024, 5, 31));
    EXPECT_EQ(kind.balanceBroughtForward, 30000);
    ASSERT_EQ(kind.amountsDue.size(), 4u);
    EXPECT_TRUE(kind.amountsDue[0].dueBeforePeriod);
    EXPECT_EQ(kind.amountsDue[0].dueDate, d(2024, 2, 1));
    EXPECT_EQ(kind.amountsDue[0].paidInFull, d(2024, 3, 10));
    EXPECT_EQ(kind.amountsDue[0].daysLate, 38);
    EXPECT_EQ(kind.amountsDue[1].amount, 50000);
    EXPECT_EQ(kind.amountsDue[2].amount, 70000);
    EXPECT_EQ(kind.amountsDue[2].daysLate, 0);
    EXPECT_EQ(kind.amountsDue[3].dueDate, d(2024, 5, 1));
    EXPECT_EQ(kind.amountsDue[3].daysLate, std::nullopt);
    EXPECT_EQ(kind.amountsDue[3].balanceAfter, 20000);
    EXPECT_EQ(kind.months.back().balance, 20000);
    EXPECT_EQ(kind.balanceAtEnd, 20000);

    const ArrearsStatement fromApril =
        arrearsStatement(order, {}, d(2024, 4, 1), d(2024, 5, 31), CountingDate::Sent);
    ASSERT_EQ(fromApril.kinds[0].nothingDueInPeriod.size(), 1u);
    EXPECT_EQ(fromApril.kinds[0].nothingDueInPeriod[0].amount, 50000);
}

}  // namespace
