#include "jobsearch/job_search_form.h"
#include "datastore/record_history.h"
#include "forms/date_picker.h"
#include "forms/pick_list_form.h"
#include "platform/kbx.h"
#include "platform/transaction.h"
#include "tests/support/books_database.h"
#include "tests/support/form_checks.h"
#include "tests/support/form_driver.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/shown_history.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableView>

#include <gtest/gtest.h>

namespace {

// Followup and Filter Records are offered in both states, History only in
// the normal one. Export CSV… stays enabled while a record is changed, and
// says to save first.
const QString kNormalButtons =
    "btn_add btn_followup btn_edit btn_delete btn_filter_records btn_export_csv btn_history";
const QString kEditingButtons =
    "btn_followup btn_save btn_cancel btn_filter_records btn_export_csv";
const QString kToday = QDate::currentDate().toString("yyyy-MM-dd") + "T00:00:00.000";

class JobSearchFormTest : public ::testing::Test, protected BooksDatabase {
protected:
    JobSearchFormTest() {
        form.resize(1000, 720);
        form.show();
    }
    QComboBox* list(const QString& name) { return component<QComboBox>(form, name); }
    DatePicker* picker() { return component<DatePicker>(form, "DateTimePicker_date"); }
    // Two chains: 1 and 2 are chain 38000.25 (record 1 with a memo), 3 is
    // chain 38000.5; record 4 has no chain number.
    void storeChains() {
        const char* const records[] = {
            "1, 38000.25, '2004-01-05', '20040105', '09:00', 'TRUE', 'Called twice'",
            "2, 38000.25, '2004-01-12', '20040112', '10:00', 'TRUE', NULL",
            "3, 38000.5, '2004-02-01', '20040201', '08:00', 'TRUE', NULL",
            "4, NULL, '2004-03-01', '20040301', '08:00', 'FALSE', NULL"};
        for (const char* values : records)
            execute(QString("INSERT INTO JSEARCH_4 (PK, REFNUM, DATE_, YYYYMMDD, TIME_, ACTIVE_, "
                            "MEMO) VALUES (%1)")
                        .arg(values));
        execute(
            "UPDATE JSEARCH_4 SET CONTACT_NAME = 'ACME STAFFING', EMAIL = 'TRUE', "
            "POS_TYPE = 'FT', POS_CITY = 'EL PASO', POS_STATE = 'TX', POS_TITLE = 'DBA', "
            "SUBMITTED = 'FALSE', REASON_NO_SUBMIT = 'NO DEGREE', ITEM_FILE = '\\a.txt', "
            "COMMENT = 'FROM AN ALERT' WHERE PK = 1");
        dataModule.announce({"JSEARCH_4"});
        form.FormActivate();
    }
    // The form's own model of the job records, as its grid shows them.
    TableModel& shownJobs() { return *form.findChild<TableModel*>(); }
    void showRecord(int pk) {
        const int row = shownJobs().rowOf("PK", double(pk));
        component<QTableView>(form, "DBGrid1")->selectRow(row);
    }
    QStringList stored(const QString& columns) {
        return rows("SELECT " + columns + " FROM JSEARCH_4 ORDER BY PK");
    }
    QString shownKeys(const QList<int>& shownRows) {
        QStringList keys;
        for (int row : shownRows)
            keys.append(shownJobs().record(row).value("PK").toString());
        return keys.join(' ');
    }

    ScriptedDialogs dialogs;
    TJob_Search form{dataModule, dialogs};
};

// A new record starts a chain of its own: one new number as key and chain
// number, the picker's date (not the typed one), no status change date.
TEST_F(JobSearchFormTest, NewRecordTakesThePickersDateAndOneNewNumberForKeyAndChain) {
    storeChains();
    EXPECT_EQ(enabledButtons(form), kNormalButtons);
    EXPECT_EQ(picker()->date(), QDate::currentDate());
    press(form, "btn_add");
    EXPECT_EQ(enabledButtons(form), kEditingButtons);
    EXPECT_TRUE(component<QCheckBox>(form, "fld_related")->isVisible());
    EXPECT_EQ(picker()->geometry(), component<QLineEdit>(form, "fld_date")->geometry());
    typeInto(form, "fld_date", "01/01/1999");
    picker()->setDate(QDate(2004, 2, 20));
    list("fld_postitle")->setCurrentText("DBA");
    list("fld_active")->setCurrentText("TRUE");
    press(form, "btn_save");
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.shown().join('\n').toStdString();

    const QStringList saved = rows(
        "SELECT DATE_, YYYYMMDD, ACTIVE_CHANGED, POS_TITLE, REFNUM - PK, PK FROM JSEARCH_4 "
        "WHERE PK > 4");
    ASSERT_EQ(saved.size(), 1);
    EXPECT_TRUE(saved[0].startsWith("2004-02-20T00:00:00.000|20040220||DBA|0|"));
    EXPECT_GT(saved[0].section('|', 5).toDouble(), 46000.0);
    EXPECT_EQ(enabledButtons(form), kNormalButtons);
    EXPECT_FALSE(picker()->isVisible());
    EXPECT_EQ(shownKeys({0, 2, 3, 4}), "4 3 2 1");  // newest first; the new one second
    EXPECT_EQ(dataModule.table("JSEARCH_4")->rowCount(), 5) << "other forms' grids not told";
}

TEST_F(JobSearchFormTest, OnlyAnEditThatChangesTheActiveStatusDatesTheChange) {
    storeChains();
    showRecord(2);
    press(form, "btn_edit");
    EXPECT_EQ(picker()->date(), QDate(2004, 1, 12));
    press(form, "btn_save");
    showRecord(3);
    press(form, "btn_edit");
    list("fld_active")->setCurrentText("FALSE");
    press(form, "btn_save");
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.shown().join('\n').toStdString();
    EXPECT_EQ(stored("PK, ACTIVE_, ACTIVE_CHANGED, YYYYMMDD"),
              QStringList({"1|TRUE||20040105", "2|TRUE||20040112",
                           "3|FALSE|" + kToday + "|20040201", "4|FALSE||20040301"}));
}

// A follow-up continues the record it follows: same chain, same contact and
// position, today's date, an empty memo and no status of its own yet.
// Without a record or a chain to join it adds nothing.
TEST_F(JobSearchFormTest, FollowupJoinsTheChainOfTheRecordItFollowsWithAnEmptyMemo) {
    press(form, "btn_followup");
    storeChains();
    showRecord(4);
    press(form, "btn_followup");
    EXPECT_EQ(dialogs.captions(), QStringList({"MESSAGE", "MESSAGE"}));
    EXPECT_EQ(enabledButtons(form), kNormalButtons);
    dialogs.messages.clear();
    showRecord(1);
    EXPECT_EQ(component<QPlainTextEdit>(form, "fld_memo")->toPlainText(), "Called twice");
    press(form, "btn_followup");
    EXPECT_EQ(enabledButtons(form), kEditingButtons);
    EXPECT_EQ(component<QPlainTextEdit>(form, "fld_memo")->toPlainText(), "");
    EXPECT_EQ(list("fld_contact_name")->currentText(), "ACME STAFFING");
    press(form, "btn_save");
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.shown().join('\n').toStdString();
    const QString today = QDate::currentDate().toString("yyyyMMdd");
    EXPECT_EQ(rows("SELECT REFNUM, DATE_, YYYYMMDD, TIME_, CONTACT_NAME, EMAIL, POS_TYPE, "
                   "POS_CITY, POS_STATE, POS_TITLE, SUBMITTED, REASON_NO_SUBMIT, ITEM_FILE, "
                   "COMMENT, COALESCE(MEMO, ''), COALESCE(ACTIVE_, 'none') FROM JSEARCH_4 "
                   "WHERE PK > 4"),
              QStringList("38000.25|" + kToday + "|" + today +
                          "|09:00|ACME STAFFING|TRUE|FT|EL PASO|TX|DBA|FALSE|NO DEGREE|\\a.txt|"
                          "FROM AN ALERT||none"));
}

TEST_F(JobSearchFormTest, RelatedRecordsTakeTheSavedStatusOnlyWhenTheUserAgrees) {
    storeChains();
    showRecord(1);
    press(form, "btn_edit");
    list("fld_active")->setCurrentText("FALSE");
    component<QCheckBox>(form, "fld_related")->setChecked(true);
    dialogs.queueAnswer(Answer::Cancel);
    press(form, "btn_save");
    EXPECT_EQ(dialogs.shown(),
              QStringList("RELATED RECORDS WARNING: You have asked me to update related records "
                          "to the status of FALSE.\nIf you answer \"OK\", it could take awhile "
                          "to update, depending on the amount of\ndata you have.  If you answer "
                          "\"CANCEL\", the related records will not be changed\n"));
    EXPECT_FALSE(component<QCheckBox>(form, "fld_related")->isChecked());
    EXPECT_EQ(stored("PK, ACTIVE_, ACTIVE_CHANGED").mid(0, 2),
              QStringList({"1|FALSE|" + kToday, "2|TRUE|"}));

    showRecord(2);
    press(form, "btn_edit");
    component<QCheckBox>(form, "fld_related")->setChecked(true);
    dialogs.queueAnswer(Answer::Ok);
    press(form, "btn_save");
    EXPECT_EQ(stored("PK, ACTIVE_, ACTIVE_CHANGED"),
              QStringList({"1|TRUE|" + kToday, "2|TRUE|" + kToday, "3|TRUE|", "4|FALSE|"}));
    EXPECT_FALSE(component<QCheckBox>(form, "fld_related")->isChecked());
    // The other forms' grids show the chain as stored.
    const TableModel& shared = *dataModule.table("JSEARCH_4");
    EXPECT_EQ(shared.record(shared.rowOf("PK", 1.0)).value("ACTIVE_").toString().trimmed(), "TRUE");
}

// The save and the update of its chain are one: a chain record the database
// refuses to change leaves the saved record as it was too.
TEST_F(JobSearchFormTest, AChainUpdateThatFailsLeavesTheSavedRecordUnsaved) {
    dataModule.close();
    execute(
        "ALTER TABLE JSEARCH_4 ADD CONSTRAINT KEEP_2 CHECK (PK <> 2 OR ACTIVE_CHANGED IS NULL)");
    dataModule.open(path);
    storeChains();
    showRecord(1);
    press(form, "btn_edit");
    list("fld_postitle")->setCurrentText("SENIOR DBA");
    list("fld_active")->setCurrentText("FALSE");
    component<QCheckBox>(form, "fld_related")->setChecked(true);
    dialogs.queueAnswer(Answer::Ok);
    press(form, "btn_save");
    EXPECT_EQ(dialogs.captions(), QStringList({"RELATED RECORDS WARNING", "PROGRAM ERROR"}));
    EXPECT_EQ(stored("PK, POS_TITLE, ACTIVE_, ACTIVE_CHANGED").mid(0, 2),
              QStringList({"1|DBA|TRUE|", "2||TRUE|"}));
    EXPECT_EQ(enabledButtons(form), kEditingButtons);
}

// A record the database refuses stays on the form, ready to be corrected.
TEST_F(JobSearchFormTest, ARefusedSaveKeepsTheRecordBeingChanged) {
    dataModule.close();
    execute("ALTER TABLE JSEARCH_4 ADD CONSTRAINT NO_XX CHECK (POS_STATE <> 'XX')");
    dataModule.open(path);
    form.FormActivate();
    press(form, "btn_add");
    list("fld_state")->setCurrentText("XX");
    press(form, "btn_save");
    ASSERT_EQ(dialogs.captions(), QStringList("PROGRAM ERROR"));
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("The job search record was not saved."));
    EXPECT_EQ(enabledButtons(form), kEditingButtons);
    EXPECT_TRUE(picker()->isVisible());
    list("fld_state")->setCurrentText("TX");
    press(form, "btn_save");
    EXPECT_EQ(stored("POS_STATE"), QStringList("TX"));
}

// The filter narrows the grid, reopens with its last values, and is off
// again after a save. It narrows the form's own grid only: the table every
// other form shares still shows every record.
TEST_F(JobSearchFormTest, FilterNarrowsTheGridUntilShowAllOrASave) {
    storeChains();
    TableModel& jobs = shownJobs();
    TableModel& shared = *dataModule.table("JSEARCH_4");
    auto filterBy = [&](TJob_Search& on, const QString& button, const QString& state) {
        whenModalOpens([&](QWidget* dialog) {
            EXPECT_EQ(component<QComboBox>(*dialog, "fld_filter_state")->currentText(), state);
            component<QComboBox>(*dialog, "fld_filter_state")->setCurrentText("TX");
            press(*dialog, button);
        });
        press(on, "btn_filter_records");
    };
    filterBy(form, "btn_apply", "(any)");
    EXPECT_EQ(jobs.rowCount(), 1);
    EXPECT_EQ(component<QLabel>(form, "lbl_records")->text(), "1 record match");
    EXPECT_EQ(shared.filter(), "");
    EXPECT_EQ(shared.rowCount(), 4);
    filterBy(form, "btn_show_all", "TX");
    EXPECT_EQ(jobs.rowCount(), 4);
    filterBy(form, "btn_apply", "(any)");
    press(form, "btn_edit");
    press(form, "btn_save");
    EXPECT_EQ(jobs.rowCount(), 4);
    EXPECT_EQ(jobs.filter(), "");
    EXPECT_EQ(shared.orderByClause(), "ORDER BY JSEARCH_4.PK");
}

TEST_F(JobSearchFormTest, F2InALookupFieldOpensThePickLists) {
    press(form, "btn_add");
    bool pickListsOpened = false;
    whenModalOpens(
        [&](QWidget* modal) { pickListsOpened = qobject_cast<Tpick_list_form*>(modal); });
    QTest::keyClick(list("fld_city")->lineEdit(), Qt::Key_F2);
    EXPECT_TRUE(pickListsOpened);
}

// History lists the current record's entries only, newest first, the
// import that added it among them; a record stored before there was a
// history says it has none.
TEST_F(JobSearchFormTest, HistoryListsTheCurrentRecordsChangesNewestFirst) {
    press(form, "btn_history");
    EXPECT_EQ(dialogs.shown(),
              QStringList("MESSAGE: There is no job search record to show the history of."));
    storeChains();
    inTransaction(dataModule.connection(), [this] {
        for (const char* range : {"2 TO 3", "4.5 TO 9"})
            record_history::appendEntry(dataModule.connection(),
                                        {"JSEARCH_4", range, "ADDED", "IMPORT OF mail.txt",
                                         QString("RECORDS\t\t") + range});
    });
    for (const char* title : {"DBA", "SENIOR DBA"})
        for (int pk : {3, 2}) {
            showRecord(pk);
            press(form, "btn_edit");
            list("fld_postitle")->setCurrentText(QString(title) + (pk == 3 ? "" : " II"));
            press(form, "btn_save");
        }
    showRecord(3);
    const ShownHistory shown = shownHistory([this] { press(form, "btn_history"); });
    EXPECT_EQ(shown.caption, "HISTORY OF JOB SEARCH RECORD 3");
    ASSERT_EQ(shown.lines.size(), 3);
    EXPECT_TRUE(shown.lines[0].endsWith("|CHANGED|POS_TITLE|DBA|SENIOR DBA|JOB SEARCH FORM"))
        << shown.lines[0].toStdString();
    EXPECT_TRUE(shown.lines[1].endsWith("|CHANGED|POS_TITLE||DBA|JOB SEARCH FORM"))
        << shown.lines[1].toStdString();
    EXPECT_TRUE(shown.lines[2].endsWith("|ADDED|RECORDS||2 TO 3|IMPORT OF mail.txt"))
        << shown.lines[2].toStdString();

    showRecord(4);
    EXPECT_TRUE(shownHistory([this] { press(form, "btn_history"); }).saysNone);

    // A record deleted keeps its history, its last entry holding its values.
    showRecord(3);
    dialogs.queueAnswer(Answer::Yes);
    press(form, "btn_delete");
    EXPECT_EQ(count("JSEARCH_4", "PK = 3"), 0);
    EXPECT_EQ(rows("SELECT FIRST 1 RECORD_KEY, ACTION, SOURCE FROM HISTORY_4 ORDER BY ID DESC"),
              QStringList("3|DELETED|JOB SEARCH FORM"));
    EXPECT_EQ(
        count("HISTORY_4", "RECORD_KEY = '3' AND CHANGES CONTAINING 'POS_TITLE\tSENIOR DBA\t'"), 1);
}

// Tab walks the fields in reading order, row by row, and on through the
// memo to the buttons; Ctrl+Tab types a tab into the memo.
TEST_F(JobSearchFormTest, TabWalksEveryFieldAndButtonInReadingOrder) {
    press(form, "btn_add");
    EXPECT_EQ(tabChain(form, picker()).join(' '),
              "DateTimePicker_date fld_time fld_contact_name fld_email fld_city fld_active "
              "fld_postitle fld_pos_type fld_state fld_submitted fld_reason fld_item_file "
              "fld_comment fld_memo fld_related " +
                  kEditingButtons);
    auto* memo = component<QPlainTextEdit>(form, "fld_memo");
    memo->setFocus();
    QTest::keyClicks(memo, "a");
    QTest::keyClick(memo, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClicks(memo, "b");
    QTest::keyClick(memo, Qt::Key_Tab);
    EXPECT_EQ(memo->toPlainText(), "a\tb");
    EXPECT_EQ(QApplication::focusWidget(), component<QCheckBox>(form, "fld_related"));
}

}  // namespace
