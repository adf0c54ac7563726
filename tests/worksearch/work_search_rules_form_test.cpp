#include "worksearch/work_search_rules_form.h"
#include "tests/support/books_database.h"
#include "tests/support/form_driver.h"
#include "tests/support/scripted_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace {

using worksearch::WeekRules;

class WorkSearchRulesFormTest : public ::testing::Test, protected BooksDatabase {
protected:
    ScriptedDialogs dialogs;
};

// The form opens on the stored rules, and Save stores every setting as the
// fields show it once changed.
TEST_F(WorkSearchRulesFormTest, SaveStoresWhatTheFormShows) {
    worksearch::storeWeekRules(dataModule.connection(), {Qt::Tuesday, 4, false, true, false});
    TWork_Search_Rules form(dataModule, dialogs);
    form.show();
    ASSERT_EQ(form.rulesOnScreen(), (WeekRules{Qt::Tuesday, 4, false, true, false}));

    auto* weekStart = component<QComboBox>(form, "fld_week_start");
    weekStart->setCurrentIndex(weekStart->findText("Saturday"));
    component<QSpinBox>(form, "fld_required")->setValue(7);
    component<QCheckBox>(form, "fld_different_employers")->setChecked(true);
    component<QCheckBox>(form, "fld_count_submitted")->setChecked(false);
    component<QCheckBox>(form, "fld_count_followups")->setChecked(true);
    press(form, "btn_save");

    EXPECT_EQ(worksearch::loadWeekRules(dataModule.connection()),
              (WeekRules{Qt::Saturday, 7, true, false, true}));
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

}  // namespace
