#include "jobsearch/job_search_rules.h"
#include "jobsearch/job_search_filter.h"
#include "jobsearch/job_search_record.h"
#include "platform/database_error.h"
#include "tests/support/books_database.h"

#include <gtest/gtest.h>

namespace {

using job_search::numbersForSave;

class JobSearchRulesTest : public ::testing::Test, protected BooksDatabase {
protected:
    void addJob(int pk, const QString& refnum, const QString& active) {
        execute(QString("INSERT INTO JSEARCH_4 (PK, REFNUM, ACTIVE_) VALUES (%1, %2, '%3')")
                    .arg(QString::number(pk), refnum, active));
    }
};

// A chain number with ten decimals, as the program makes them, still finds
// its chain when bound back.
TEST_F(JobSearchRulesTest, ChainUpdateChangesEveryRecordOfTheChainAndNoOther) {
    addJob(1, "46000.1234567891", "TRUE");
    addJob(2, "46000.1234567891", "FALSE");
    addJob(3, "46000.1234567891", "TRUE");
    addJob(4, "46000.1234567892", "TRUE");
    const double chain = rows("SELECT REFNUM FROM JSEARCH_4 WHERE PK = 1")[0].toDouble();

    EXPECT_EQ(
        job_search::setChainActiveStatus(dataModule.connection(), chain, false, QDate(2026, 12, 6)),
        3);
    EXPECT_EQ(rows("SELECT PK, ACTIVE_, ACTIVE_CHANGED FROM JSEARCH_4 ORDER BY PK"),
              QStringList({"1|FALSE|2026-12-06T00:00:00.000", "2|FALSE|2026-12-06T00:00:00.000",
                           "3|FALSE|2026-12-06T00:00:00.000", "4|TRUE|"}));
}

// Empty columns stay empty, dates and chain numbers keep their value, text
// its Windows-1252 characters and no more than its column holds. The
// history holds the record as added and what its edit changed; a refused
// edit writes none.
TEST_F(JobSearchRulesTest, StoreAndLoadKeepEveryValue) {
    JobSearchRecord record;
    record.pk = 46000.1234567891;
    record.refnum = 46000.1234567891;
    record.active = "TRUE";
    record.date = QDate(2004, 1, 5);
    record.city = "Müller – café";
    record.memo = "Called twice\nMüller – café";
    record.state = "TEX";
    jobsearch::store(dataModule.connection(), record, "JOB SEARCH FORM");
    record.state = "TE";
    EXPECT_EQ(jobsearch::load(dataModule.connection(), *record.pk), record);
    EXPECT_EQ(rows("SELECT ACTIVE_CHANGED, COALESCE(EMAIL, 'null'), POS_STATE FROM JSEARCH_4"),
              QStringList("|null|TE"));

    JobSearchRecord changed = record;
    changed.date = QDate(2004, 1, 6);
    changed.memo = "Called\tonce";
    jobsearch::store(dataModule.connection(), changed, "JOB SEARCH FORM", record);
    changed.state = "☃";
    EXPECT_THROW(jobsearch::store(dataModule.connection(), changed, "JOB SEARCH FORM", record),
                 DatabaseError);
    EXPECT_EQ(rows("SELECT TABLE_NAME, RECORD_KEY, ACTION, SOURCE FROM HISTORY_4 ORDER BY ID"),
              QStringList({"JSEARCH_4|46000.1234567891|ADDED|JOB SEARCH FORM",
                           "JSEARCH_4|46000.1234567891|CHANGED|JOB SEARCH FORM"}));
    EXPECT_EQ(rows("SELECT CAST(CAST(CHANGES AS VARCHAR(200) CHARACTER SET WIN1252) AS "
                   "VARCHAR(200) CHARACTER SET UTF8) FROM HISTORY_4 WHERE ID = 2"),
              QStringList("DATE_\t2004-01-05\t2004-01-06\n"
                          "MEMO\tCalled twice\\nMüller – café\tCalled\\tonce"));
}

// A save that carries its active status to its chain writes an entry for
// each record of the chain whose status changed.
TEST_F(JobSearchRulesTest, StatusCarriedToTheChainIsInTheHistoryOfEachRecordItChanged) {
    addJob(1, "46000.5", "TRUE");
    addJob(2, "46000.5", "FALSE");
    const JobSearchRecord loaded = *jobsearch::load(dataModule.connection(), 1);
    JobSearchRecord changed = loaded;
    changed.active = "FALSE";
    jobsearch::store(dataModule.connection(), changed, "JOB SEARCH FORM", loaded,
                     jobsearch::Chain::TakesStatus, QDate(2026, 12, 6));
    EXPECT_EQ(rows("SELECT RECORD_KEY, CHANGES FROM HISTORY_4 ORDER BY ID"),
              QStringList({"1|ACTIVE_\tTRUE\tFALSE", "1|ACTIVE_CHANGED\t\t2026-12-06",
                           "2|ACTIVE_CHANGED\t\t2026-12-06"}));
}

TEST(ChainNumbers, ARecordWithoutOneStartsAChainAndTakesItsNumberAsKeyWhenItHasNoKey) {
    double next = 46000.5;
    auto newNumber = [&next] { return next += 0.0000000001; };
    const auto both = numbersForSave(false, false, newNumber);
    EXPECT_EQ(both.refnum, both.pk);
    EXPECT_DOUBLE_EQ(*both.refnum, 46000.5000000001);

    const auto refnumOnly = numbersForSave(false, true, newNumber);
    EXPECT_TRUE(refnumOnly.refnum && !refnumOnly.pk);

    const auto keyOnly = numbersForSave(true, false, newNumber);
    EXPECT_TRUE(!keyOnly.refnum && keyOnly.pk);
    EXPECT_NE(*keyOnly.pk, *both.pk);

    const auto neither = numbersForSave(true, true, newNumber);
    EXPECT_TRUE(!neither.refnum && !neither.pk);
}

TEST(ActiveStatus, ChangesOnlyWhenAnEditReadsDifferently) {
    using job_search::activeStatusChanged;
    EXPECT_FALSE(activeStatusChanged(true, true, "TRUE"));
    EXPECT_FALSE(activeStatusChanged(true, true, "yes"));
    EXPECT_TRUE(activeStatusChanged(true, true, "FALSE"));
    EXPECT_TRUE(activeStatusChanged(true, true, ""));
    EXPECT_TRUE(activeStatusChanged(true, false, "t"));
    EXPECT_FALSE(activeStatusChanged(false, false, "TRUE"));  // a new record
}

class JobSearchFilterTest : public JobSearchRulesTest {
protected:
    JobSearchFilterTest() {
        const char* const records[] = {
            "1, '2004-01-05', 'TX', 'El Paso', 'ACME STAFFING', 'JAVA DEVELOPER', 'TRUE', 'TRUE'",
            "2, '2004-01-31', 'NM', 'LAS CRUCES', 'O''BRIEN', 'C++ ENGINEER', 'FALSE', 'FALSE'",
            "3, '2004-02-01', 'TX', 'AUSTIN', 'ACME STAFFING', 'SENIOR JAVA LEAD', 'Y', NULL",
            "4, '2004-03-10', 'TX', 'EL PASO', 'ROBERT HALF', 'DBA', NULL, 'yes'",
        };
        for (const char* values : records)
            execute(QString("INSERT INTO JSEARCH_4 (PK, DATE_, POS_STATE, POS_CITY, "
                            "CONTACT_NAME, POS_TITLE, SUBMITTED, ACTIVE_) VALUES (%1)")
                        .arg(values));
    }
    QString keysShownBy(const JobSearchFilter& filter) {
        TableModel& jobs = *dataModule.table("JSEARCH_4");
        const SqlCondition condition = filter.condition();
        jobs.setFilter(condition.sql, condition.values);
        jobs.reread();
        QStringList keys;
        for (int row = 0; row < jobs.rowCount(); ++row)
            keys.append(jobs.record(row).value("PK").toString());
        return keys.join(' ');
    }
};

TEST_F(JobSearchFilterTest, EachConditionNarrowsTheRecordsShown) {
    using Status = JobSearchFilter::Status;
    struct Case {
        JobSearchFilter filter;
        QString keys;
    };
    const Case cases[] = {
        {{}, "1 2 3 4"},
        {{.from = QDate(2004, 1, 31)}, "2 3 4"},
        {{.to = QDate(2004, 1, 31)}, "1 2"},
        {{.from = QDate(2004, 1, 6), .to = QDate(2004, 2, 1)}, "2 3"},
        {{.state = "TX"}, "1 3 4"},
        {{.city = "el paso"}, "1 4"},
        {{.contact = "O'BRIEN"}, "2"},
        {{.title = "java"}, "1 3"},
        {{.submitted = Status::True}, "1 3"},
        {{.submitted = Status::False}, "2 4"},
        {{.active = Status::True}, "1 4"},
        {{.active = Status::False}, "2 3"},
        {{.state = "TX", .city = "PASO", .title = "DBA", .active = Status::True}, "4"},
        {{.state = "AK"}, ""},
    };
    for (const Case& each : cases)
        EXPECT_EQ(keysShownBy(each.filter), each.keys) << each.filter.description().toStdString();
    EXPECT_TRUE(JobSearchFilter().isEmpty());
    EXPECT_EQ((JobSearchFilter{.state = "TX", .city = "PASO"}).description(),
              "STATE TX, CITY contains \"PASO\"");
}

}  // namespace
