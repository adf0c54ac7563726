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

// Three contacts in two of the three weeks of a period that starts and ends
// inside a week.
class WeeklyWorkSearchFormTest : public ::testing::Test, protected BooksDatabase {
protected:
    WeeklyWorkSearchFormTest() {
        for (const char* values :
             {"1, '2024-03-04', 'ACME'", "2, '2024-03-06', 'GLOBEX'", "3, '2024-03-21', 'INITECH'"})
            execute(QString("INSERT INTO JSEARCH_4 (PK, DATE_, CONTACT_NAME, SUBMITTED) "
                            "VALUES (%1, 'TRUE')")
                        .arg(values));
        form.show();
        component<QDateEdit>(form, "fld_from_date")->setDate(QDate(2024, 3, 5));
        component<QDateEdit>(form, "fld_to_date")->setDate(QDate(2024, 3, 21));
    }
    worksearch::WeeklyLog log() const {
        return worksearch::storedWeeklyLog(dataModule.connection(), {2024, 3, 5}, {2024, 3, 21});
    }
    QByteArray file(const QString& name) const {
        QFile read(folder + "/" + name);
        return read.open(QIODevice::ReadOnly) ? read.readAll() : QByteArray();
    }
    void exportInto(const QString& chosen) {
        dialogs.queueChosenFolder(chosen);
        press(form, "btn_export_csv");
    }

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
    EXPECT_EQ(log().contacts, 3);

    component<QDateEdit>(form, "fld_to_date")->setDate(QDate(2024, 3, 4));
    press(form, "btn_generate");
    EXPECT_EQ(dialogs.shown(), QStringList("MESSAGE: The from date is after the to date."));
    EXPECT_EQ(form.lines(), expected);
}

// Both files are written or neither: a folder in the way of one is refused,
// a file there is replaced only once the user says so, and a folder that
// is not there fails loudly.
TEST_F(WeeklyWorkSearchFormTest, ExportWritesBothFilesOrNeither) {
    QDir().mkpath(folder + "/weeks_summary.csv");
    exportInto(folder);
    EXPECT_EQ(entriesOf(folder), QStringList("weeks_summary.csv/"));

    QDir(folder).rmdir("weeks_summary.csv");
    writeFile(folder + "/weeks_summary.csv", "OLD");
    dialogs.queueAnswer(Answer::No);
    exportInto(folder);
    EXPECT_EQ(entriesOf(folder), QStringList("weeks_summary.csv"));
    EXPECT_EQ(file("weeks_summary.csv"), "OLD");

    dialogs.queueAnswer(Answer::Yes);
    exportInto(folder);
    EXPECT_EQ(file("weeks.csv"), weekly_log_csv::contactsBytes(log()));
    EXPECT_EQ(file("weeks_summary.csv"), weekly_log_csv::summaryBytes(log()));

    exportInto(folder + "/gone");
    EXPECT_EQ(dialogs.captions(),
              QStringList({"MESSAGE", "REPLACE FILE", "REPLACE FILE", "MESSAGE", "PROGRAM ERROR"}));
}

}  // namespace
