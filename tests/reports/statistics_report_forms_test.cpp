#include "reports/statistics_report_forms.h"
#include "reports/statistics_reports.h"
#include "tests/support/books_database.h"
#include "tests/support/files.h"
#include "tests/support/form_driver.h"
#include "tests/support/report_file.h"
#include "tests/support/scripted_dialogs.h"


#include <gtest/gtest.h>

namespace {

class StatisticsReportFormsTest : public ::testing::Test, protected BooksDatabase {
protected:
    ScriptedDialogs dialogs;
};

// Activation shows the advice; Generate replaces it with the report and
// says it is done; Save leaves the closing lines on screen and in the file.
TEST_F(StatisticsReportFormsTest, GenerateThenSaveTheStateReport) {
    execute("UPDATE STATS_ST_4 SET COUNT_ = 3, PERCENTAGE = 100 WHERE STATE = 'TX'");
    TJob_Search_Stats_Job_State form(dataModule, dialogs, workspace.locations(), nullptr);
    form.show();
    EXPECT_EQ(form.lines(), statistics_reports::stateAdvice());
    press(form, "btn_select_month");
    EXPECT_EQ(dialogs.shown(), QStringList{": I'm done !!!!!!!"});
    EXPECT_EQ(form.lines(), statistics_reports::stateReport(dataModule.connection()));
    press(form, "btn_save");
    const QString path = workspace.locations().reportsFolder() + "/_JOB_SEARCH_STATE_STATS.txt";
    EXPECT_EQ(form.lines().mid(form.lines().size() - 3, 1), QStringList{"Saved to file: " + path});
    EXPECT_EQ(bytesOf(path), fileBytes(form.lines()));
}

// A save that cannot write its file is reported with the reason, and the
// screen never says the report was saved.
TEST_F(StatisticsReportFormsTest, AFailedSaveIsReportedAndNeverSaysSaved) {
    TJob_Search_Stats_Job_Title form(dataModule, dialogs, workspace.locations(), nullptr);
    form.show();
    QDir().mkpath(workspace.locations().reportsFolder() + "/_JOB_SEARCH_TITLE_STATS.txt");
    press(form, "btn_save");
    EXPECT_EQ(dialogs.captions(), QStringList{"PROGRAM ERROR"});
    EXPECT_TRUE(dialogs.messages.at(0).text.contains("it is not a plain file"));
    EXPECT_EQ(form.lines().filter("Saved to file: "), QStringList());
}

// PDF… never writes over the database, asks before replacing a file and
// says where the PDF went.
TEST_F(StatisticsReportFormsTest, APdfRefusesTheDatabaseAndReplacesAFileOnlyWhenTold) {
    TJob_Search_Stats_Job_State form(dataModule, dialogs, workspace.locations(), nullptr);
    const QByteArray database = bytesOf(path);
    dialogs.queueChosenFile(path);
    press(form, "btn_pdf");
    EXPECT_EQ(dialogs.shown(), QStringList{"MESSAGE: " + path + " is not written: it is in " +
                                           workspace.locations().databaseFolder() +
                                           ", the program's own folder of databases, backups or "
                                           "archives."});
    EXPECT_EQ(bytesOf(path), database);

    const QString pdf = workspace.documents() + "/state.pdf";
    writeFile(pdf, "kept");
    dialogs.queueChosenFile(pdf);
    dialogs.queueAnswer(Answer::No);
    press(form, "btn_pdf");
    EXPECT_EQ(dialogs.messages.back().buttons, Buttons::YesNo);
    EXPECT_EQ(bytesOf(pdf), "kept");
    dialogs.queueChosenFile(pdf);
    dialogs.queueAnswer(Answer::Yes);
    press(form, "btn_pdf");
    EXPECT_TRUE(bytesOf(pdf).startsWith("%PDF"));
    EXPECT_EQ(dialogs.messages.back().text, "The report was saved as PDF to " + pdf);
}

}  // namespace
