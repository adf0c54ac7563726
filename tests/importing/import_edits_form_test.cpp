#include "importing/import_edits_form.h"
#include "forms/pick_list_form.h"
#include "tests/support/books_database.h"
#include "tests/support/files.h"
#include "tests/support/form_driver.h"
#include "tests/support/scripted_dialogs.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>

#include <gtest/gtest.h>

namespace {

const QString kAlerts = QStringLiteral(Q4_TESTS_DIR "/importing/cb7_alerts.txt");

class ImportEditsFormTest : public ::testing::Test, protected BooksDatabase {
protected:
    ImportEditsFormTest() {
        workspace.settings.recordCurrentDatabase({"books", path});
        form.show();
    }
    QString memo() { return component<QPlainTextEdit>(form, "fld_memo")->toPlainText(); }
    QString counter(const char* bar = "StatusBar1") {
        return component<QStatusBar>(form, bar)->findChild<QLabel*>()->text();
    }

    ScriptedDialogs dialogs;
    Tjob_search_import_edits_form form{dataModule, workspace.settings, dialogs};
};

// Every activation empties the log and puts the buttons back in their
// places.
TEST_F(ImportEditsFormTest, ActivationEmptiesTheLogAndPutsTheButtonsBack) {
    press(form, "btn_update_city");
    EXPECT_EQ(memo(), "(8) Update City");
    component<QPushButton>(form, "btn_picklists")->move(0, 0);
    form.FormActivate();
    EXPECT_EQ(memo(), "");
    EXPECT_EQ(component<QPushButton>(form, "btn_picklists")->geometry(), QRect(11, 444, 300, 25));
}

// The import's records show in every open model of the tables it wrote: the
// shared ones and another form's own, which the import form knows nothing of.
TEST_F(ImportEditsFormTest, AnImportLogsCountsAndShowsItsRecordsAndAsksBeforeASecondOne) {
    QObject jobSearchForm;
    const TableModel& jobsOfAnotherForm = *dataModule.ownModel("JSEARCH_4", &jobSearchForm);
    dialogs.queueChosenFile(kAlerts);
    press(form, "btn_cb_v7_01_december_2003");
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.shown().join('\n').toStdString();
    EXPECT_EQ(memo(),
              "Adding Version (CareerBuilder Version 7 [Since 01 December 2003]) Records To "
              "Database\nEstimating number of input records..this is based on filesize, it may be "
              "more or less..\n" +
                  kAlerts + ": 5 records imported.");
    EXPECT_EQ(counter(), "17");
    EXPECT_EQ(counter("StatusBar2"), kAlerts + ": 5 records imported.");
    EXPECT_EQ(dataModule.table("JSEARCH_4")->rowCount(), 5);
    EXPECT_EQ(dataModule.table("CITY_4")->rowCount(), 5);
    EXPECT_EQ(jobsOfAnotherForm.rowCount(), 5);

    dialogs.queueChosenFile(kAlerts);
    dialogs.queueAnswer(Answer::No);
    press(form, "btn_cb_v7_01_december_2003");
    EXPECT_EQ(dialogs.captions(), QStringList("IMPORTED BEFORE"));
    EXPECT_EQ(count("JSEARCH_4"), 5);

    dialogs.queueChosenFile("");  // the file dialog cancelled
    press(form, "btn_recruiter_messages");
    EXPECT_EQ(count("JSEARCH_4"), 5);
}

// A file of another kind is refused and not taken for imported: its own
// importer takes it after.
TEST_F(ImportEditsFormTest, ARefusedOrFailedImportIsReportedAndStoresNothing) {
    const QString recruiterMail = QStringLiteral(Q4_TESTS_DIR "/importing/recruiter_mail.txt");
    dialogs.queueChosenFile(recruiterMail);
    press(form, "btn_4jobs");  // recruiter mail read as 4jobs alerts: no record
    const QString noDate = workspace.documents() + "/no_date.txt";
    writeFile(noDate, "From: Staffing Desk\nSubject: a subject before any sent line\n");
    dialogs.queueChosenFile(noDate);
    press(form, "btn_recruiter_messages");
    ASSERT_EQ(dialogs.captions(), QStringList({"NOT IMPORTED", "PROGRAM ERROR"}));
    EXPECT_TRUE(dialogs.messages[0].text.contains("no records of this kind found"));
    EXPECT_TRUE(dialogs.messages[1].text.contains("Nothing of this file was imported."));
    EXPECT_EQ(counter("StatusBar2"), "Nothing imported from " + noDate);
    EXPECT_EQ(count("JSEARCH_4"), 0);

    dialogs.queueChosenFile(recruiterMail);
    press(form, "btn_recruiter_messages");
    EXPECT_EQ(dialogs.captions().size(), 2) << dialogs.shown().join('\n').toStdString();
    EXPECT_EQ(count("JSEARCH_4"), 5);
}

TEST_F(ImportEditsFormTest, PickListsOpensThePickListForm) {
    bool opened = false;
    whenModalOpens([&](QWidget* modal) { opened = qobject_cast<Tpick_list_form*>(modal); });
    press(form, "btn_picklists");
    EXPECT_TRUE(opened);
}

// The recount asks first; No leaves every count as it was.
TEST_F(ImportEditsFormTest, TheRecountRunsOnlyAfterYes) {
    execute(
        "INSERT INTO STATS_JT_4 (ORDER_, CATEGORY, COUNT_, PERCENTAGE) VALUES (1, 'DBA', 7, 3.5)");
    execute("INSERT INTO JSEARCH_4 (PK, POS_TITLE) VALUES (1, 'SENIOR DBA')");
    dialogs.queueAnswer(Answer::No);
    press(form, "btn_update_job_title_stats_table");
    EXPECT_EQ(rows("SELECT COUNT_, PERCENTAGE, COALESCE(AS_OF_DATE, '-') FROM STATS_JT_4"),
              QStringList("7|3.5|-"));
    EXPECT_EQ(memo(), "");
    dialogs.queueAnswer(Answer::Yes);
    press(form, "btn_update_job_title_stats_table");
    EXPECT_EQ(rows("SELECT COUNT_, PERCENTAGE FROM STATS_JT_4"), QStringList("1|100"));
    EXPECT_EQ(memo(), "(11) Update Job Title Stats Table");
    EXPECT_EQ(dialogs.shown().value(1),
              "STATISTICS UPDATE: Depending on your data, this could take a while.  With 62,899 "
              "records in the Job Search Database,and\n721 Records in the Job Title Stats "
              "database, on a PII, 700MHz computer it took about 14 minutes.\nIf started DO NOT "
              "use the computer for ANYTHING until it's done, database corruption could "
              "occur.\nCONTINUE??");
}

// Step 11 leaves the reason of an application submitted; its question says
// how many records it changes.
TEST_F(ImportEditsFormTest, Step11AsksWithTheNumberOfRecordsItChanges) {
    execute("INSERT INTO JS_EDIT_4 VALUES ('DBA', 'DBA', 'NO CERT')");
    for (const char* job : {"1, 'TRUE', 'STILL OPEN'", "2, ' true', 'STILL OPEN'",
                            "3, 'FALSE', 'STILL OPEN'", "4, NULL, NULL", "5, 'FALSE', 'NO CERT'"})
        execute(QString("INSERT INTO JSEARCH_4 (PK, SUBMITTED, REASON_NO_SUBMIT, POS_TITLE) "
                        "VALUES (%1, 'dba')")
                    .arg(job));
    dialogs.queueAnswer(Answer::Yes);
    press(form, "btn_update_job_search_reason_not_submitted");
    ASSERT_EQ(dialogs.captions(), QStringList("STATISTICS UPDATE"));
    EXPECT_TRUE(dialogs.messages[0].text.contains("reason not submitted of 2 job search records"))
        << dialogs.shown().join('\n').toStdString();
    EXPECT_EQ(rows("SELECT REASON_NO_SUBMIT FROM JSEARCH_4 ORDER BY PK"),
              QStringList({"STILL OPEN", "STILL OPEN", "NO CERT", "NO CERT", "NO CERT"}));
    EXPECT_EQ(counter("StatusBar2"), "2 records changed");
}

}  // namespace
