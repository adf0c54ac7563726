#include "obligations/arrears_report.h"
#include "obligations/arrears_csv.h"
#include "tests/support/report_file.h"

#include <gtest/gtest.h>

namespace {

using namespace obligations;

QDate d(int year, int month, int day) {
    return QDate(year, month, day);
}

Obligation obligation(Kind kind, qint64 cents, Frequency frequency, const QDate& firstDue,
                      std::optional<QDate> lastDue = std::nullopt) {
    Obligation made;
    made.kind = kind;
    made.amount = cents;
    made.frequency = frequency;
    made.firstDue = firstDue;
    made.lastDue = lastDue;
    return made;
}

Payment payment(const char* check, std::optional<QDate> sent, qint64 childSupport,
                qint64 spousalSupport = 0) {
    Payment made;
    made.checkNumber = check;
    made.itemDate = sent;
    made.sent = sent;
    made.childSupport = childSupport;
    made.spousalSupport = spousalSupport;
    return made;
}

// Child support of 500.00 a month from January: January short by 200.00
// when the period begins in February, made up on 10 February with
// February itself; March on time; April overpaid by 150.00; one cheque
// returned and one not yet sent. Spousal support: a yearly order paid and
// ended before the period, then 250.00 once on 30 April, 100.00 paid.
ArrearsStatement smallStatement() {
    Obligation ended =
        obligation(Kind::SpousalSupport, 120000, Frequency::Yearly, d(2023, 1, 15), d(2023, 1, 15));
    ended.orderReference = "2022-DR-0417";
    Payment returned = payment("105", d(2024, 4, 15), 50000);
    returned.returned = d(2024, 4, 20);
    Payment unsent = payment("106", std::nullopt, 50000);
    unsent.itemDate = d(2024, 4, 25);
    return arrearsStatement(
        {obligation(Kind::ChildSupport, 50000, Frequency::Monthly, d(2024, 1, 1)), ended,
         obligation(Kind::SpousalSupport, 25000, Frequency::Once, d(2024, 4, 30))},
        {payment("101", d(2024, 1, 5), 30000), payment("102", d(2024, 2, 10), 70000),
         payment("103", d(2024, 3, 1), 50000), payment("104", d(2024, 4, 1), 65000), returned,
         unsent, payment("201", d(2023, 1, 10), 0, 120000), payment("", d(2024, 4, 30), 0, 10000)},
        d(2024, 2, 1), d(2024, 4, 30), CountingDate::Sent);
}

TEST(ArrearsReport, SmallStatementPrintsAsExpected) {
    EXPECT_EQ(fileBytes(arrears_report::build(smallStatement(), sampleParties())),
              goldenBytes("obligations/expected_arrears_statement.txt"));
}

// Six years of 1234.56 a month paid 1222.22 on each due date: 12.34 more
// is owed every month, and every cent of the totals is kept.
ArrearsStatement sixYearsShortEachMonth() {
    std::vector<Payment> payments;
    for (int month = 0; month < 72; ++month)
        payments.push_back(payment("7", d(2019, 1, 1).addMonths(month), 122222));
    return arrearsStatement(
        {obligation(Kind::ChildSupport, 123456, Frequency::Monthly, d(2019, 1, 1))}, payments,
        d(2019, 1, 1), d(2024, 12, 31), CountingDate::Sent);
}

TEST(ArrearsReport, TotalsOfSeventyTwoMonthsAreExactInCents) {
    const QStringList lines = arrears_report::build(sixYearsShortEachMonth(), sampleParties());
    EXPECT_TRUE(lines.contains("TOTALS:      88888.32      87999.84        888.48  "))
        << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains("BALANCE ON 12/31/2024: ARREARS 888.48"));
    for (const QString& line : lines)
        EXPECT_LE(line.size(), 80) << line.toStdString();
}

TEST(ArrearsReport, BalanceLineNamesArrearsCreditOrNothingOwed) {
    EXPECT_EQ(arrears_report::balanceLine(d(2024, 3, 31), 123456),
              "BALANCE ON 03/31/2024: ARREARS 1234.56");
    EXPECT_EQ(arrears_report::balanceLine(d(2024, 3, 31), -5),
              "BALANCE ON 03/31/2024: CREDIT 0.05");
    EXPECT_EQ(arrears_report::balanceLine(d(2024, 3, 31), 0),
              "BALANCE ON 03/31/2024: NOTHING OWED");
}

TEST(ArrearsCsv, OneRecordPerAmountDueWithItsBalanceAfterIt) {
    const QList<QByteArray> records = arrears_csv::bytes(sixYearsShortEachMonth()).split('\n');
    ASSERT_EQ(records.size(), 74);  // the header, 72 amounts and the empty tail
    EXPECT_EQ(records[0], "kind,due_date,amount_due,paid_in_full_on,days_late,balance_after\r");
    EXPECT_EQ(records[1], "CHILD SUPPORT,2019-01-01,1234.56,2019-02-01,31,12.34\r");
    EXPECT_EQ(records[72], "CHILD SUPPORT,2024-12-01,1234.56,,,888.48\r");
    EXPECT_EQ(records[73], "");
    const QList<QByteArray> small = arrears_csv::bytes(smallStatement()).split('\n');
    EXPECT_EQ(small.mid(1, small.size() - 2),
              (QList<QByteArray>{"SPOUSAL SUPPORT,2024-04-30,250.00,,,150.00\r",
                                 "CHILD SUPPORT,2024-01-01,500.00,2024-02-10,40,500.00\r",
                                 "CHILD SUPPORT,2024-02-01,500.00,2024-02-10,9,700.00\r",
                                 "CHILD SUPPORT,2024-03-01,500.00,2024-03-01,0,0.00\r",
                                 "CHILD SUPPORT,2024-04-01,500.00,2024-04-01,0,-150.00\r"}));
}

}  // namespace
