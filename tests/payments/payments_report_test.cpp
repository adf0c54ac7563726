#include "payments/payments_report.h"
#include "tests/support/report_file.h"
#include "tests/support/books_database.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

using payments_report::build;
using payments_report::startTicks;

class PaymentsReportTest : public ::testing::Test, protected BooksDatabase {
protected:
    PaymentsReportTest() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        execute("INSERT INTO CONFIG_4 (MY_NAME, MY_ADDRESS, MY_CITY, MY_STATE, MY_ZIP, "
                "EX_SPOUSE_NAME, EX_SPOUSE_SSAN, EX_SPOUSE_ADDRESS, EX_SPOUSE_CITY, "
                "EX_SPOUSE_STATE, EX_SPOUSE_ZIP) VALUES ('PAT DOE', '12 ELM STREET', 'AUSTIN', "
                "'TX', '78701', 'LEE DOE', '123-45-6789', '9 OAK LANE', 'DALLAS', 'TX', '75201')");
    }
    ~PaymentsReportTest() override { QLocale::setDefault(QLocale::c()); }

    // Four payments: one with every date, one with a null sent date, a null
    // spousal amount and the absent dates a new row gets, one of the seeded
    // category "PAYMENT", and one whose category no report lists.
    void addPayments() {
        execute("INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, CHECK_NBR, SS_AMT, RP_AMT, "
                "DATE_SENT, DATE_DEL, DATE_CLEAR, DATE_RETURNED, CARRIER, ITEM, ITEM_FILE, MEMO) "
                "VALUES (1, 'SPOUSAL SUPPORT', '2004-02-01', '1001', 1500, 250.5, '2004-01-28', "
                "'2004-02-01', '2004-02-05', '2004-02-09', 'USPS CERTIFIED', 'FEBRUARY SUPPORT', "
                "'/proofs/feb.pdf', 'Signed by LEE.' || ASCII_CHAR(13) || ASCII_CHAR(10) || "
                "'Receipt kept.')");
        execute("INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, CHECK_NBR, SS_AMT, RP_AMT, "
                "DATE_SENT, ITEM) VALUES (2, 'RETIRED PAY', '2004-03-01', '1002', NULL, 250.5, "
                "NULL, 'MARCH RETIRED PAY')");
        execute("INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, OTHER_AMT, ITEM) VALUES (4, "
                "'PAYMENT', '2004-03-15', 80, 'DENTIST')");
        execute("INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, SS_AMT) VALUES (3, 'JOB SEARCH', "
                "'2004-02-15', 99)");
    }

    QStringList report(const std::vector<bool>& ticks, const payments_report::Selection& rows = {}) {
        return build(dataModule.connection(), ticks, rows);
    }
};

// An absent date prints blank, never as 01/01/1901.
TEST_F(PaymentsReportTest, DefaultColumnsListThePaymentCategoriesWithTotals) {
    addPayments();
    EXPECT_EQ(fileBytes(report(startTicks())), goldenBytes("reports/payments_report.txt"));
}

// Unticking an amount column takes it out of the lines and the totals; the
// item file and memo lines come with their ticks.
TEST_F(PaymentsReportTest, TicksChooseTheColumnsAndTheLinesUnderEachPayment) {
    addPayments();
    std::vector<bool> ticks = startTicks();
    ticks[24] = false;  // Spousal Support Amount
    ticks[19] = false;  // Item Date stays
    for (int item : {11, 20, 21})  // Date Returned, Item Filename, Memo
        ticks[item] = true;
    EXPECT_EQ(fileBytes(report(ticks)), goldenBytes("reports/payments_report_ticked.txt"));
}

// Amounts are added in cents: in single precision 72 payments of 1234.56
// would total 88888.34, and 150000.01 would print as 150000.02. A double
// holds 1000.29, 4.35, 0.29 and 1.15 just below the cent: cut off instead of
// rounded, each would lose a cent.
TEST_F(PaymentsReportTest, AmountsAndTotalsKeepEveryCent) {
    execute("EXECUTE BLOCK AS DECLARE i INTEGER = 0; BEGIN WHILE (i < 72) DO BEGIN "
            "INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, SS_AMT, RP_AMT) VALUES "
            "(:i + 10, 'SPOUSAL SUPPORT', '2004-01-01', 1234.56, 0); i = i + 1; END END");
    execute("INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, SS_AMT, RP_AMT) VALUES "
            "(100, 'RETIRED PAY', '2004-01-02', 0, 150000.01)");
    const QStringList lines = report(startTicks());
    EXPECT_TRUE(lines.filter("RETIRED PAY").first().contains("____0.00  150000.01  "));
    EXPECT_TRUE(lines.last().startsWith("   TOTALS:  ")) << lines.last().toStdString();
    EXPECT_TRUE(lines.last().contains(" 88888.32  150000.01  ")) << lines.last().toStdString();

    execute("DELETE FROM QUORVEL_4");
    const QString insert = "INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, SS_AMT, RP_AMT, "
                           "CS_AMT, OTHER_AMT) VALUES (%1, 'OTHER', '2004-01-01', %2, %2, %2, %2)";
    const QStringList amounts = {"1000.29", "4.35", "0.29", "1.15"};
    for (qsizetype row = 0; row < amounts.size(); ++row)
        execute(insert.arg(row + 1).arg(amounts[row]));
    std::vector<bool> ticks = startTicks();
    ticks[4] = ticks[22] = true;  // Child Support Amount, Other Amount
    const QStringList cents = report(ticks);
    for (const QString& amount : amounts)
        EXPECT_EQ(cents.join('\n').count(QString(" %1 ").arg(amount, 8, '_')), 4)
            << amount.toStdString();
    EXPECT_EQ(cents.last().count(" 1006.08  "), 4) << cents.last().toStdString();
}

// An item date stored with a time of day, as earlier versions' date pickers
// could store it, belongs to its day: the last day of the range included.
TEST_F(PaymentsReportTest, AnItemDateRangeListsTheCategoriesWithinIt) {
    addPayments();
    execute("INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, OTHER_AMT, ITEM) VALUES (5, "
            "'OTHER', '2004-03-01 14:30:00', 12, 'AFTERNOON COSTS')");
    const QStringList lines =
        report(startTicks(), payments_report::itemDates(QDate(2004, 2, 2), QDate(2004, 3, 1)));
    EXPECT_EQ(lines.filter("SUPPORT").size(), 0);
    EXPECT_EQ(lines.filter("JOB SEARCH").size(), 0);
    EXPECT_EQ(lines.filter("MARCH RETIRED PAY").size(), 1);
    EXPECT_EQ(lines.filter("AFTERNOON COSTS").size(), 1);
}

// No rows: the header, no headings, and totals of zero.
TEST_F(PaymentsReportTest, NoRowsGiveTheHeaderAndZeroTotals) {
    const QStringList lines = report(startTicks());
    EXPECT_EQ(lines.filter("CATEGORY").size(), 0);
    EXPECT_TRUE(lines.last().contains("TOTALS:")) << lines.last().toStdString();
    EXPECT_EQ(lines.last().count("0.00"), 2);
}

// What a save appends is checked where the form saves.
TEST(PaymentsReportFile, IsNamedByTheMoment) {
    const QDateTime moment(QDate(2026, 12, 6), QTime(20, 5, 9));
    EXPECT_EQ(payments_report::fileName(moment), "PAYMENTS___2026-12-06-20-05-09.TXT");
}

}  // namespace
