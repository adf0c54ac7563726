#include "worksearch/weekly_work_search_form.h"
#include "tests/support/books_database.h"
#include "tests/support/files.h"
#include "tests/support/form_driver.h"
#include "tests/support/scripted_dialogs.h"
#include "worksearch/stored_weekly_log.h"
#include "worksearch/weekly_log_csv.h"
#include "worksearch/weekly_log_report.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

// Three contacts over two of the three weeks from Sunday 2024-03-03 to
// Saturday 2024-03-23, the period starting and ending inside them.
class WeeklyWorkSearchFormTest : public ::testing::Test, protected BooksDatabase {
protected:
    WeeklyWorkSearchFormTest() {
        const QString insert =
            "INSERT INTO JSEARCH_4 (PK, REFNUM, DATE_, TIME_, CONTACT_NAME, EMAIL, POS_TITLE, "
            "POS_CITY, POS_STATE, COMMENT, SUBMITTED, ACTIVE_) VALUES (%1, %1, '%2', '09:00', "
            "'%3', 'TRUE', 'CLERK', 'AUSTIN', 'TX', 'SENT', 'TRUE', 'TRUE')";
        execute(insert.arg("1", "2024-03-04", "ACME"));
        execute(insert.arg("2", "2024-03-06", "GLOBEX"));
        execute(insert.arg("3", "2024-03-21", "INITECH"));
        form.show();
        component<QDateEdit>(form, "fld_from_date")->setDate(from);
        component<QDateEdit>(form, "fld_to_date")->setDate(to);
    }
    worksearch::WeeklyLog log() const {
        return worksearch::storedWeeklyLog(dataModule.connection(), from, to);
    }
    QString csvFile(const char* name) const { return folder + "/" + name; }

    const QDate from{2024, 3, 5}, to{2024, 3, 21};
    const QString folder = workspace.documents() + "/export";
    ScriptedDialogs dialogs;
    TWeekly_Work_Search form{dataModule, dialogs, workspace.locations(), nullptr};
};

// The form shows the log of what is stored; a to date before the from date
// is refused and the text stays as it was.
TEST_F(WeeklyWorkSearchFormTest, ShowsTheStoredLogAndRefusesAPeriodRunningBackwards) {
    press(form, "btn_generate");
    const QStringList expected =
        weekly_log_report::build(log(), report_text::configuration(dataModule.connection()));
    EXPECT_EQ(form.lines(), expected);
    ASSERT_EQ(log().weeks.size(), 3u);
    EXPECT_EQ(log().contacts, 3);

    component<QDateEdit>(form, "fld_to_date")->setDate(QDate(2024, 3, 4));
    press(form, "btn_generate");
    EXPECT_EQ(dialogs.shown(), QStringList("MESSAGE: The from date is after the to date."));
    EXPECT_EQ(form.lines(), expected);
}

// Both files are written into the chosen folder; files already there are
// replaced only when the user says so, and kept as they were otherwise.
TEST_F(WeeklyWorkSearchFormTest, ExportWritesBothFilesAndReplacesOnlyWhenAllowed) {
    QDir().mkpath(folder);
    dialogs.queueChosenFolder(folder);
    press(form, "btn_export_csv");
    EXPECT_EQ(contentOf(csvFile("weeks.csv")), weekly_log_csv::contactsBytes(log()));
    EXPECT_EQ(contentOf(csvFile("weeks_summary.csv")), weekly_log_csv::summaryBytes(log()));
    EXPECT_EQ(dialogs.captions(), QStringList("MESSAGE"));

    writeFile(csvFile("weeks.csv"), "OLD CONTACTS");
    writeFile(csvFile("weeks_summary.csv"), "OLD SUMMARY");
    dialogs.queueChosenFolder(folder);
    dialogs.queueAnswer(Answer::No);
    press(form, "btn_export_csv");
    EXPECT_EQ(dialogs.shown().last(), "REPLACE FILE: " + csvFile("weeks.csv") + "\n" +
                                          csvFile("weeks_summary.csv") +
                                          "\nexist already.\nReplace them?");
    EXPECT_EQ(contentOf(csvFile("weeks.csv")), "OLD CONTACTS");
    EXPECT_EQ(contentOf(csvFile("weeks_summary.csv")), "OLD SUMMARY");

    dialogs.queueChosenFolder(folder);
    dialogs.queueAnswer(Answer::Yes);
    press(form, "btn_export_csv");
    EXPECT_EQ(contentOf(csvFile("weeks.csv")), weekly_log_csv::contactsBytes(log()));
    EXPECT_EQ(contentOf(csvFile("weeks_summary.csv")), weekly_log_csv::summaryBytes(log()));
    EXPECT_EQ(dialogs.captions(),
              QStringList({"MESSAGE", "REPLACE FILE", "REPLACE FILE", "MESSAGE"}));
}

// An export that cannot be whole leaves neither file behind: a folder under
// the second file's name is refused before anything is written, and a
// folder that is not there fails loudly.
TEST_F(WeeklyWorkSearchFormTest, ExportThatCannotBeWholeWritesNeitherFile) {
    QDir().mkpath(csvFile("weeks_summary.csv"));
    dialogs.queueChosenFolder(folder);
    press(form, "btn_export_csv");
    EXPECT_EQ(entriesOf(folder), QStringList("weeks_summary.csv/"));

    dialogs.queueChosenFolder(folder + "/gone");
    press(form, "btn_export_csv");
    EXPECT_EQ(dialogs.captions(), QStringList({"MESSAGE", "PROGRAM ERROR"}));
    EXPECT_EQ(entriesOf(folder), QStringList("weeks_summary.csv/"));
}

}  // namespace
