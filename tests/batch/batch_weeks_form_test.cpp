#include "datastore/data_module.h"
#include "tests/support/batch_tool.h"
#include "tests/support/form_driver.h"
#include "tests/support/scripted_dialogs.h"
#include "worksearch/weekly_work_search_form.h"

#include <QDateEdit>

#include <gtest/gtest.h>

namespace {

class BatchWeeksFormTest : public ::testing::Test, protected BatchTool {};

// What report weeks prints is what Reports > Weekly Work Search shows for
// the same period and database, line for line.
TEST_F(BatchWeeksFormTest, ThePrintedLogIsTheFormsText) {
    execute(
        "INSERT INTO JSEARCH_4 (PK, DATE_, TIME_, CONTACT_NAME, POS_TITLE, SUBMITTED) "
        "VALUES (1, '2025-01-07', '09:00', 'ACME', 'CLERK', 'TRUE')");
    ASSERT_EQ(batch({"report", "weeks", "--from", "2025-01-08", "--to", "2025-01-21"}), 0)
        << err.toStdString();

    TDataModule2 afterTheTool;  // the tool's own module took the connection's name away
    afterTheTool.open(path);
    ScriptedDialogs dialogs;
    TWeekly_Work_Search form(afterTheTool, dialogs, workspace.locations(), nullptr);
    form.show();
    component<QDateEdit>(form, "fld_from_date")->setDate(QDate(2025, 1, 8));
    component<QDateEdit>(form, "fld_to_date")->setDate(QDate(2025, 1, 21));
    press(form, "btn_generate");
    EXPECT_TRUE(out.contains("ACME"));
    EXPECT_EQ(out, form.lines().join('\n') + '\n');
}

}  // namespace
