#include "importing/job_title_edit_form.h"
#include "tests/support/books_database.h"
#include "tests/support/form_driver.h"
#include "tests/support/scripted_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

#include <gtest/gtest.h>

namespace {

class JobTitleEditTest : public ::testing::Test, protected BooksDatabase {
protected:
    // Edits rows: CHANGE_FROM, CHANGE_TO, reason ("NULL" for none).
    void store(const QStringList& rows) {
        for (const QString& row : rows) {
            const QStringList values = row.split('|');
            execute(QString("INSERT INTO JS_EDIT_4 VALUES ('%1', '%2', %3)")
                        .arg(values[0], values[1],
                             values[2] == "NULL" ? "NULL" : "'" + values[2] + "'"));
        }
        dataModule.announce({"JS_EDIT_4"});
        form.FormActivate();
    }
    void enter(const char* field) {
        QFocusEvent focus(QEvent::FocusIn);
        QApplication::sendEvent(component<QLineEdit>(form, field), &focus);
    }
    // Typing into Edit1 ticks the confirmation: it is set after the texts.
    void massChange(const char* button, const char* searchField, const char* valueField,
                    const QString& search, const QString& value, bool confirmed) {
        component<QLineEdit>(form, searchField)->setText(search);
        component<QLineEdit>(form, valueField)->setText(value);
        confirm()->setChecked(confirmed);
        press(form, button);
    }
    QStringList stored() {
        return rows(
            "SELECT CHANGE_FROM, CHANGE_TO, COALESCE(REASON_NO_SUBMIT, '-') FROM "
            "JS_EDIT_4 ORDER BY CHANGE_FROM");
    }
    QCheckBox* confirm() { return component<QCheckBox>(form, "cb_confirm"); }
    QString said() { return component<QLabel>(form, "lbl_mass_change")->text(); }

    ScriptedDialogs dialogs;
    TJob_Title_Edit form{dataModule, dialogs};
};

TEST_F(JobTitleEditTest, OpensWithTheTitleFieldsEmptyAndTheGridInItsOrder) {
    form.show();
    EXPECT_EQ(component<QLineEdit>(form, "Edit1")->text(), "");
    EXPECT_EQ(component<QLineEdit>(form, "Edit3")->text(), "EDIT3");
    QHeaderView* header = component<QTableView>(form, "DBGrid1")->horizontalHeader();
    TableModel& edits = *form.findChild<TableModel*>();
    for (int position = 0; position < 3; ++position) {
        const int column = header->logicalIndex(position);
        EXPECT_EQ(edits.headerData(column, Qt::Horizontal).toString(),
                  QStringList({"REASON_NO_SUBMIT", "CHANGE_FROM", "CHANGE_TO"})[position]);
        EXPECT_EQ(header->sectionSize(column), 260);
    }
}

// The search text counts exactly as typed: case, and a trailing blank.
TEST_F(JobTitleEditTest, MassChangeFindsTheSearchTextExactlyAsTyped) {
    store({"XAB|A|NULL", "AB Y|B|NULL", "xab y|C|NULL"});
    massChange("btn_mass_change", "Edit1", "Edit2", "AB", "NEW", false);
    massChange("btn_mass_change", "Edit1", "Edit2", "AB ", "", false);
    EXPECT_EQ(dialogs.shown(),
              QStringList({"MESSAGE: The \"change from\" string must be at a last 3 characters "
                           "(no trailing spaces)",
                           "MESSAGE: The \"change to\" string must have a value"}));
    EXPECT_TRUE(component<QLineEdit>(form, "Edit1")->isEnabled());
    massChange("btn_mass_change", "Edit1", "Edit2", "AB ", "NEW", false);
    EXPECT_EQ(stored(), QStringList({"AB Y|NEW|-", "XAB|A|-", "xab y|C|-"}));
    EXPECT_EQ(said(), "Mass change of CHANGE_TO: 1 row changed.");
    EXPECT_FALSE(confirm()->isChecked());  // only the reasons' mass change ticks it
}

TEST_F(JobTitleEditTest, ConfirmedMassChangeAsksRowByRowAndCancelEndsIt) {
    store(
        {"DBA 1|XYZ|NULL", "DBA 2|XYZ|NULL", "DBA 3|XYZ|NULL", "DBA 4|XYZ|NULL", "CLERK|XY|NULL"});
    for (Answer answer : {Answer::Yes, Answer::No, Answer::Cancel})
        dialogs.queueAnswer(answer);
    massChange("btn_mass_change2", "Edit3", "Edit4", "XYZ", "TOO SENIOR", true);
    EXPECT_EQ(dialogs.captions(), QStringList(3, "MESSAGE"));
    EXPECT_EQ(stored(), QStringList({"CLERK|XY|-", "DBA 1|XYZ|TOO SENIOR", "DBA 2|XYZ|-",
                                     "DBA 3|XYZ|-", "DBA 4|XYZ|-"}));
    EXPECT_EQ(said(), "Mass change of REASON_NO_SUBMIT, ended by Cancel: 1 row changed.");
    EXPECT_TRUE(confirm()->isChecked());
}

// The view of new rows counts a null reason as empty; a row given its
// normalised title and already holding a reason leaves the view. The view is
// the form's own: the table the other forms share shows every row, changed.
TEST_F(JobTitleEditTest, NewRecordsViewListsMarkedRowsAndRowsWithoutAReason) {
    store({"AAA|*** NEW ENTRY, EDIT ME ***|NO DEGREE", "BBB|DBA|NULL", "CCC|DBA| ",
           "DDD|DBA|SALARY"});
    TableModel& edits = *form.findChild<TableModel*>();
    press(form, "btn_show_new_records");
    EXPECT_EQ(edits.rowCount(), 3);
    massChange("btn_mass_change", "Edit1", "Edit2", "AAA", "CLERK", false);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.shown().join('\n').toStdString();
    EXPECT_EQ(edits.rowCount(), 2);
    TableModel& shared = *dataModule.table("JS_EDIT_4");
    ASSERT_EQ(shared.rowCount(), 4);
    EXPECT_EQ(shared.record(0).value("CHANGE_TO").toString().trimmed(), "CLERK");
    press(form, "btn_show_all_records");
    EXPECT_EQ(edits.rowCount(), 4);
}

// Entering one group locks the other; Reset frees both; typing into the
// title search ticks the confirmation again.
TEST_F(JobTitleEditTest, EnteringAGroupLocksTheOtherUntilReset) {
    confirm()->setChecked(false);
    enter("Edit1");
    EXPECT_FALSE(component<QLineEdit>(form, "Edit3")->isEnabled());
    EXPECT_TRUE(confirm()->isChecked());
    press(form, "btn_reset");
    EXPECT_TRUE(component<QLineEdit>(form, "Edit3")->isEnabled());
    confirm()->setChecked(false);
    component<QLineEdit>(form, "Edit1")->setText("S");
    EXPECT_TRUE(confirm()->isChecked());
}

TEST_F(JobTitleEditTest, EditOffersEachReasonOnceAndSaveStoresTitlesInCapitals) {
    execute("INSERT INTO REASON_4 (REASON) VALUES ('NO DEGREE')");
    execute("INSERT INTO REASON_4 (REASON) VALUES ('SALARY')");
    dataModule.table("REASON_4")->reread();
    store({"DBA|dba|NULL"});
    auto* grid = component<QTableView>(form, "DBGrid1");
    press(form, "btn_edit");
    press(form, "btn_edit");
    TableModel& edits = *form.findChild<TableModel*>();
    grid->edit(edits.index(0, edits.fieldIndex("REASON_NO_SUBMIT")));
    auto* reasons = grid->findChild<QComboBox*>();
    ASSERT_TRUE(reasons);
    EXPECT_EQ(reasons->count(), 2);
    reasons->setCurrentText("SALARY");
    emit grid->itemDelegate()->commitData(reasons);
    edits.setData(edits.index(0, edits.fieldIndex("CHANGE_TO")), "database administrator");
    press(form, "btn_save");
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.shown().join('\n').toStdString();
    EXPECT_EQ(stored(), QStringList("DBA|DATABASE ADMINISTRATOR|SALARY"));
}

}  // namespace
