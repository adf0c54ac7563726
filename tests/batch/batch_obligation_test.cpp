#include "obligations/arrears_csv.h"
#include "obligations/arrears_report.h"
#include "obligations/obligation_store.h"
#include "reports/report_text.h"
#include "tests/support/batch_tool.h"
#include "tests/support/report_file.h"
#include "tests/support/test_connection.h"

#include <gtest/gtest.h>

namespace {

class BatchObligationTest : public ::testing::Test, protected BatchTool {};

// An order entered from a script is listed as stored: the amounts in exact
// cents, the days each is due on, an open end.
TEST_F(BatchObligationTest, ObligationsAddedAreListedWithTheirExactCents) {
    EXPECT_EQ(
        batch({"obligation", "add", "--kind", "child", "--amount", "1234.56", "--every",
               "semimonthly", "--days", "1,15", "--from", "2024-01-01", "--order", "2023-DR-0042"}),
        0)
        << err.toStdString();
    EXPECT_EQ(batch({"obligation", "add", "--kind", "spousal", "--amount", "1400", "--every",
                     "monthly", "--from", "2024-01-31", "--to", "2024-12-31"}),
              0)
        << err.toStdString();
    EXPECT_EQ(batch({"obligation", "list"}), 0) << err.toStdString();
    EXPECT_EQ(out,
              "   ID  KIND                   AMOUNT  EVERY        DAYS   FIRST DUE   LAST DUE  "
              "  ORDER\n"
              "    1  CHILD SUPPORT         1234.56  semimonthly  1,15   2024-01-01  open      "
              "  2023-DR-0042\n"
              "    2  SPOUSAL SUPPORT       1400.00  monthly      31     2024-01-31  2024-12-31\n");
    EXPECT_EQ(rows("SELECT KIND, AMOUNT, FREQUENCY, DUE_DAY, SECOND_DUE_DAY FROM OBLIGATION_4 "
                   "ORDER BY PK"),
              QStringList({"CS|1234.56|SM|1|15", "SS|1400|MO|0|0"}));
}

// Wrong input is named in one line, with where to read how it goes, and
// nothing is written.
TEST_F(BatchObligationTest, WrongInputIsRefusedInOneLineWritingNothing) {
    const QStringList valid = {"obligation", "add",     "--kind",  "other",  "--amount",
                               "10.00",      "--every", "monthly", "--from", "2024-01-01"};
    const std::vector<std::pair<QStringList, QString>> wrong = {
        {{"--amount", "12.345"},
         "obligation add --amount 12.345: not an amount with at most two decimals, as 1400.00."},
        {{"--day", "0"}, "obligation add --day 0: not a day of the month from 1 to 31."},
        {{"--day", "32"}, "obligation add --day 32: not a day of the month from 1 to 31."},
        {{"--days", "1,15"}, "obligation add --days is for --every semimonthly only."},
        {{"--to", "2023-12-31"}, "obligation: --from 2024-01-01 is after --to 2023-12-31."},
    };
    for (const auto& [words, line] : wrong) {
        QStringList arguments = valid;
        const qsizetype replaced = arguments.indexOf(words[0]);
        if (replaced < 0)
            arguments << words;
        else
            arguments[replaced + 1] = words[1];
        EXPECT_EQ(batch(arguments), 2) << words.join(' ').toStdString();
        EXPECT_EQ(err, line + "\nTry 'quorvel4-batch --help'.\n");
    }
    EXPECT_EQ(count("OBLIGATION_4"), 0);
}

// The statement printed is the statement's text of the same database,
// counted on the date asked for (the March payment cleared only in April
// leaves March owed), and --csv writes its amounts due as arrears.csv.
// A CSV file there already, an unknown counting date and a period that ends
// before it starts are refused.
TEST_F(BatchObligationTest, TheArrearsStatementPrintedIsTheStatementOfTheDatabase) {
    ASSERT_EQ(batch({"obligation", "add", "--kind", "child", "--amount", "500.00", "--every",
                     "monthly", "--from", "2024-01-01", "--order", "2023-DR-0042"}),
              0)
        << err.toStdString();
    const QString insert =
        "INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, CHECK_NBR, CS_AMT, "
        "DATE_SENT, DATE_CLEAR) VALUES (%1, 'CHILD SUPPORT', '%2', '%3', 500, "
        "'%2', '%4')";
    execute(insert.arg(1).arg("2024-01-01", "101", "2024-01-05"));
    execute(insert.arg(2).arg("2024-02-03", "102", "2024-02-10"));
    execute(insert.arg(3).arg("2024-03-29", "103", "2024-04-02"));
    const QString csv = workspace.documents() + "/arrears.csv";
    ASSERT_EQ(batch({"report", "arrears", "--from", "2024-01-01", "--to", "2024-03-31",
                     "--count-on", "cleared", "--csv", csv}),
              0)
        << err.toStdString();

    const TestConnection connection(path);
    const obligations::ArrearsStatement statement =
        obligations::storedStatement(connection.database(), QDate(2024, 1, 1), QDate(2024, 3, 31),
                                     obligations::CountingDate::Cleared);
    const QStringList lines =
        arrears_report::build(statement, report_text::configuration(connection.database()));
    EXPECT_EQ(out, lines.join('\n') + '\n');
    EXPECT_TRUE(lines.contains("BALANCE ON 03/31/2024: ARREARS 500.00"));
    EXPECT_EQ(bytesOf(csv), arrears_csv::bytes(statement));
    EXPECT_TRUE(err.endsWith("CSV written to " + csv + "\n")) << err.toStdString();

    const QStringList period = {"report", "arrears", "--from", "2024-01-01", "--to", "2024-03-31"};
    EXPECT_EQ(batch(period + QStringList{"--csv", csv}), 1);
    EXPECT_EQ(err, csv + " exists already; give --replace to replace it.\n");
    EXPECT_EQ(bytesOf(csv), arrears_csv::bytes(statement));
    EXPECT_EQ(batch(period + QStringList{"--count-on", "paid"}), 2);
    EXPECT_EQ(err,
              "report arrears --count-on paid: not sent, delivered or cleared.\n"
              "Try 'quorvel4-batch --help'.\n");
    EXPECT_EQ(batch({"report", "arrears", "--from", "2024-04-01", "--to", "2024-03-31"}), 2);
    EXPECT_EQ(err,
              "report: --from 2024-04-01 is after --to 2024-03-31.\n"
              "Try 'quorvel4-batch --help'.\n");
}

}  // namespace
