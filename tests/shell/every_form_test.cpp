#include "evidence/evidence_pack_form.h"
#include "forms/pick_list_form.h"
#include "importing/import_edits_form.h"
#include "importing/job_title_edit_form.h"
#include "jobsearch/job_search_filter_dialog.h"
#include "jobsearch/job_search_form.h"
#include "maintenance/backup_restore_form.h"
#include "obligations/arrears_statement_form.h"
#include "obligations/obligations_form.h"
#include "payments/payment_records_form.h"
#include "payments/payments_report_form.h"
#include "reports/statistics_report_forms.h"
#include "shell/configuration_form.h"
#include "shell/create_tables_form.h"
#include "shell/main_screen.h"
#include "tests/support/books_database.h"
#include "tests/support/form_checks.h"
#include "tests/support/scripted_dialogs.h"
#include "worksearch/weekly_work_search_form.h"
#include "worksearch/work_search_rules_form.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class EveryFormTest : public ::testing::Test, protected BooksDatabase {
protected:
    // Every form and dialog of the program, as the menus open them.
    std::vector<std::unique_ptr<QWidget>> everyForm() {
        std::vector<std::unique_ptr<QWidget>> all;
        all.emplace_back(new Tpayment_records_form(dataModule, dialogs));
        all.emplace_back(new Tpick_list_form(dataModule, dialogs));
        all.emplace_back(new TPayments_Report(dataModule, dialogs, locations, nullptr));
        all.emplace_back(new TObligations_Form(dataModule, dialogs));
        all.emplace_back(new TArrears_Statement(dataModule, dialogs, locations, nullptr));
        all.emplace_back(new TWeekly_Work_Search(dataModule, dialogs, locations, nullptr));
        all.emplace_back(new TJob_Search(dataModule, dialogs));
        all.emplace_back(new TJob_Search_Filter(dialogs, JobSearchFilter(), nullptr));
        all.emplace_back(
            new Tjob_search_import_edits_form(dataModule, workspace.settings, dialogs));
        all.emplace_back(new TJob_Title_Edit(dataModule, dialogs));
        all.emplace_back(new TJob_Search_Stats_Job_Title(dataModule, dialogs, locations, nullptr));
        all.emplace_back(new TJob_Search_Stats_Job_State(dataModule, dialogs, locations, nullptr));
        all.emplace_back(new TEvidencePack(dataModule, dialogs, locations, "books"));
        all.emplace_back(new Tbackup_restore_form(locations, dialogs));
        all.emplace_back(new TConfiguration(dataModule, dialogs));
        all.emplace_back(new TWork_Search_Rules(dataModule, dialogs));
        all.emplace_back(new TCreate_Tables(locations, dataModule, dialogs));
        all.emplace_back(new TMain_Screen2(locations, workspace.settings, dataModule, dialogs));
        return all;
    }

    ScriptedDialogs dialogs;
    Locations locations = workspace.locations();
};

// A 1024x768 screen shows every form whole: none needs more, none opens larger.
TEST_F(EveryFormTest, EveryFormFitsA1024By768Screen) {
    for (const std::unique_ptr<QWidget>& form : everyForm())
        EXPECT_EQ(beyondSmallScreen(*form), "");
}

// From its first control, Tab reaches every field and button of the form
// once and comes back (the main window holds only its menu).
TEST_F(EveryFormTest, TabReachesEveryFieldAndButtonOnce) {
    for (const std::unique_ptr<QWidget>& form : everyForm()) {
        form->show();
        const QStringList first = tabReachable(*form);
        if (!first.isEmpty()) {
            QStringList chain = tabChain(*form, form->findChild<QWidget*>(first.first()));
            const std::string walked =
                form->objectName().toStdString() + ": " + chain.join(' ').toStdString();
            EXPECT_EQ(chain.removeDuplicates(), 0) << walked;
            // What Tab can reach after the walk: a field entered may lock others.
            QStringList reachable = tabReachable(*form);
            reachable.sort();
            chain.sort();
            EXPECT_EQ(chain, reachable) << walked;
        }
        form->hide();
    }
}

}  // namespace
