#include "evidence/evidence_pack_form.h"
#include "forms/date_picker.h"
#include "tests/support/books_database.h"
#include "tests/support/files.h"
#include "tests/support/form_driver.h"
#include "tests/support/scripted_dialogs.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class EvidencePackFormTest : public ::testing::Test, protected BooksDatabase {
protected:
    EvidencePackFormTest() {
        component<DatePicker>(form, "fld_from")->setDate(QDate(2004, 1, 1));
        component<DatePicker>(form, "fld_to")->setDate(QDate(2004, 12, 31));
    }
    ScriptedDialogs dialogs;
    TEvidencePack form{dataModule, dialogs, workspace.locations(), "books"};
    QString archive = workspace.documents() + "/pack.zip";
};

// The save dialog offers a name that says the database and the period; a
// cancelled dialog writes nothing; a period that ends before it starts is
// refused before any dialog.
TEST_F(EvidencePackFormTest, ThePeriodChosenIsPackedWhereTheUserSays) {
    dialogs.queueChosenFile(QString());
    press(form, "btn_pack");
    EXPECT_TRUE(
        dialogs.fileRequests.at(0).folder.endsWith("/evidence_books_2004-01-01_to_2004-12-31.zip"));
    EXPECT_FALSE(QFile::exists(archive));

    dialogs.queueChosenFile(archive);
    press(form, "btn_pack");
    EXPECT_EQ(dialogs.messages.back().text, "The evidence pack is in " + archive + ", 16 files.");
    outputOf("unzip", {"-tq", archive});

    component<DatePicker>(form, "fld_from")->setDate(QDate(2005, 1, 1));
    press(form, "btn_pack");
    EXPECT_EQ(dialogs.messages.back().text, "Choose a From date on or before the To date.");
    EXPECT_EQ(dialogs.fileRequests.size(), 2u);
}

}  // namespace
