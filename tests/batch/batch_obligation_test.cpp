#include "tests/support/batch_tool.h"

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

}  // namespace
