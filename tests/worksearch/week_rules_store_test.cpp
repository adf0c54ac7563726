#include "worksearch/week_rules_store.h"
#include "tests/support/books_database.h"
#include "worksearch/stored_contacts.h"
#include "worksearch/stored_weekly_log.h"

#include <gtest/gtest.h>

namespace {

using worksearch::WeekRules;

class WorkSearchTest : public ::testing::Test, protected BooksDatabase {
protected:
    WeekRules load() const { return worksearch::loadWeekRules(dataModule.connection()); }
    void store(const WeekRules& rules) const {
        worksearch::storeWeekRules(dataModule.connection(), rules);
    }
    QStringList storedRules() const { return rows("SELECT * FROM WORK_SEARCH_RULES_4"); }
};

// Without a row the rules are a week from Sunday needing three contacts of
// any employers, submitted applications and follow-ups counting; a store
// replaces the one row, and the next load reads what was stored.
TEST_F(WorkSearchTest, RulesAreTheDefaultsUntilStoredThenWhatWasStored) {
    EXPECT_EQ(load(), (WeekRules{Qt::Sunday, 3, false, true, true}));

    store({Qt::Monday, 5, true, false, true});
    store({Qt::Wednesday, 1, true, true, false});

    EXPECT_EQ(storedRules(), QStringList{"3|1|TRUE|TRUE|FALSE"});
    EXPECT_EQ(load(), (WeekRules{Qt::Wednesday, 1, true, true, false}));
}

// Rules changed from outside to ones the log cannot use, or a second row of
// them, make it refuse, rather than count weeks as met with no contact
// needed or under either row.
TEST_F(WorkSearchTest, RefusedRulesWriteNothingAndUnusableOnesMakeNoLog) {
    store({Qt::Monday, 5, true, false, true});
    for (int required : {0, 51})
        EXPECT_THROW(store({Qt::Sunday, required, false, true, true}), worksearch::RulesRefused)
            << required;
    EXPECT_EQ(storedRules(), QStringList{"1|5|TRUE|FALSE|TRUE"});

    for (const char* change : {"REQUIRED = 0", "WEEK_START = 8"}) {
        execute(QString("UPDATE WORK_SEARCH_RULES_4 SET %1").arg(change));
        EXPECT_THROW(worksearch::storedWeeklyLog(dataModule.connection(), QDate(2024, 3, 3),
                                                 QDate(2024, 3, 9)),
                     worksearch::RulesRefused)
            << change;
        store({Qt::Monday, 5, true, false, true});
    }
    // A second row: which of the two would hold is not known.
    execute("INSERT INTO WORK_SEARCH_RULES_4 (WEEK_START, REQUIRED) VALUES (7, 3)");
    EXPECT_THROW(
        worksearch::storedWeeklyLog(dataModule.connection(), QDate(2024, 3, 3), QDate(2024, 3, 9)),
        worksearch::RulesRefused);
}

// The period's last day counts whatever time DATE_ holds; the days either
// side of it do not.
TEST_F(WorkSearchTest, ContactsOfAPeriodAreReadWithTheirFieldsAndNoneOutside) {
    const QString insert =
        "INSERT INTO JSEARCH_4 (PK, REFNUM, DATE_, TIME_, CONTACT_NAME, EMAIL, POS_TITLE, "
        "POS_CITY, POS_STATE, COMMENT, SUBMITTED, ACTIVE_) VALUES (%1, %2, '%3', '%4', "
        "'%5', 'TRUE', 'CLERK', 'AUSTIN', 'TX', 'CALL BACK', 'FALSE', 'TRUE')";
    execute(insert.arg("1", "1", "2024-03-02", "23:59", "BEFORE"));
    execute(insert.arg("2", "2", "2024-03-03", "09:15", "FIRST"));
    execute(insert.arg("3", "2", "2024-03-09 23:30", "08:00", "LAST"));
    execute(insert.arg("4", "4", "2024-03-10", "00:00", "AFTER"));
    execute(
        "UPDATE JSEARCH_4 SET CONTACT_NAME = _WIN1252 x'4DFC6C6C657220C020E9' "
        "WHERE PK = 2");

    const std::vector<worksearch::Contact> contacts =
        worksearch::contactsBetween(dataModule.connection(), QDate(2024, 3, 3), QDate(2024, 3, 9));

    ASSERT_EQ(contacts.size(), 2u);
    const worksearch::Contact first{2.0,          2.0,         QDate(2024, 3, 3), "09:15",
                                    "Müller À é", "TRUE",      "CLERK",           "AUSTIN",
                                    "TX",         "CALL BACK", "FALSE",           "TRUE"};
    EXPECT_EQ(contacts[0], first);
    EXPECT_EQ(contacts[1].contactName, "LAST");
    EXPECT_EQ(contacts[1].date, QDate(2024, 3, 9));
}

// A period asked for on Wednesday 6 March 2024 from the Friday after it
// starts in a week that has begun: that week is listed with its contacts.
TEST_F(WorkSearchTest, APeriodStartingLaterInTheWeekOfTodayListsThatWeek) {
    execute(
        "INSERT INTO JSEARCH_4 (PK, REFNUM, DATE_, TIME_, CONTACT_NAME, SUBMITTED) "
        "VALUES (1, 1, '2024-03-04', '09:00', 'ACME', 'TRUE')");

    const worksearch::WeeklyLog log = worksearch::storedWeeklyLog(
        dataModule.connection(), QDate(2024, 3, 8), QDate(2024, 3, 20), QDate(2024, 3, 6));

    ASSERT_EQ(log.weeks.size(), 1u);
    EXPECT_EQ(log.weeks[0].first, QDate(2024, 3, 3));
    EXPECT_EQ(log.weeks[0].counted.size(), 1u);
    EXPECT_EQ(log.askedTo, QDate(2024, 3, 20));
}

}  // namespace
