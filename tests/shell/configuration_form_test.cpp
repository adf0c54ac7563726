#include "shell/configuration_form.h"
#include "tests/support/books_database.h"
#include "tests/support/form_driver.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_connection.h"

#include <QComboBox>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

class ConfigurationFormTest : public ::testing::Test, protected BooksDatabase {
protected:
    ConfigurationFormTest() { form.show(); }

    QLineEdit* edit(const QString& name) { return component<QLineEdit>(form, name); }
    void type(const QString& field, const QString& text) { typeInto(form, field, text); }
    QStringList stored(const QString& what) { return rows("SELECT " + what + " FROM CONFIG_4"); }

    ScriptedDialogs dialogs;
    TConfiguration form{dataModule, dialogs};
};

TEST_F(ConfigurationFormTest, AddIsOfferedOnlyUntilTheRecordExists) {
    EXPECT_EQ(enabledButtons(form), "btn_add btn_edit btn_exit");
    EXPECT_FALSE(edit("fld_my_name")->isEnabled());
    EXPECT_FALSE(component<QLabel>(form, "lbl_sidebar_hint")->isVisible());
    EXPECT_EQ(component<QComboBox>(form, "fld_my_state")->currentText(), "");  // no record yet
    EXPECT_EQ(component<QComboBox>(form, "fld_auto_zip")->currentText(), "");

    press(form, "btn_add");
    EXPECT_EQ(enabledButtons(form), "btn_save btn_cancel");
    EXPECT_TRUE(edit("fld_my_name")->isEnabled());
    EXPECT_TRUE(component<QLabel>(form, "lbl_sidebar_hint")->isVisible());
    EXPECT_EQ(component<QLabel>(form, "lbl_sidebar_hint")->text(), "Default is: clLime");
    EXPECT_FALSE(edit("fld_sidebar_color")->isVisible());
    type("fld_my_name", "PAT DOE");
    press(form, "btn_save");
    EXPECT_FALSE(buttonEnabled(form, "btn_add"));
    EXPECT_FALSE(edit("fld_sidebar_color")->isEnabled());
    EXPECT_EQ(stored("MY_NAME"), QStringList("PAT DOE"));

    TConfiguration reopened(dataModule, dialogs);
    reopened.show();
    EXPECT_FALSE(component<QPushButton>(reopened, "btn_add")->isEnabled());
}

TEST_F(ConfigurationFormTest, SavingTheRecordTwiceKeepsWhatWasTyped) {
    press(form, "btn_add");
    type("fld_my_name", "  Pat  Q. Doe");
    type("fld_ex_spouse_ssan", "123-45-6789");
    component<QComboBox>(form, "fld_my_state")->setCurrentText("TX");
    component<QComboBox>(form, "fld_auto_zip")->setCurrentText("1");
    press(form, "btn_save");

    press(form, "btn_edit");
    type("fld_my_city", "El Paso");
    type("fld_ex_spouse_name", "Sam  Doe");
    press(form, "btn_save");
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].text.toStdString();

    EXPECT_EQ(
        stored("'<' || MY_NAME || '>', MY_CITY, MY_STATE, AUTO_ZIP, EX_SPOUSE_NAME, "
               "EX_SPOUSE_SSAN"),
        QStringList("<  Pat  Q. Doe" + QString(67, ' ') + ">|El Paso|TX|1|Sam  Doe|123-45-6789"));
    EXPECT_EQ(edit("fld_my_name")->text(), "  Pat  Q. Doe");
}

TEST_F(ConfigurationFormTest, F2InTheBrowseFieldChoosesAFolder) {
    press(form, "btn_add");
    QTest::keyClicks(edit("fld_file_browse_start"), "/home");
    dialogs.queueChosenFolder("/home/pat/scans");
    QTest::keyClick(edit("fld_file_browse_start"), Qt::Key_F2);
    EXPECT_EQ(edit("fld_file_browse_start")->text(), "/home/pat/scans");
    dialogs.queueChosenFolder("");
    QTest::keyClick(edit("fld_file_browse_start"), Qt::Key_F2);
    EXPECT_EQ(edit("fld_file_browse_start")->text(), "/home/pat/scans");
}

// Accented and typographic text is stored one byte a character, whole up to
// the column's width; a character Windows-1252 cannot hold stops Save.
TEST_F(ConfigurationFormTest, TextIsStoredAsWindows1252AndReadsBackAsTyped) {
    const QString name = "Jos\u00e9 M\u00fcller \u2013 \u201cCaf\u00e9\u201d";
    press(form, "btn_add");
    edit("fld_my_name")->setText(name);  // what the keyboard gives
    edit("fld_my_address")->setText(QString(90, QChar(0xE9)));
    edit("fld_my_city")->setText("El Paso \U0001F600");
    press(form, "btn_save");
    EXPECT_EQ(dialogs.shown(),
              QStringList("MESSAGE: CITY: \"El Paso \U0001F600\" holds \U0001F600, a "
                          "character that cannot be stored.\nNothing was saved."));
    EXPECT_EQ(count("CONFIG_4"), 0);
    type("fld_my_city", "El Paso");
    press(form, "btn_save");

    dataModule.close();
    EXPECT_EQ(storedBytes(path, "CONFIG_4", "MY_NAME"),
              QStringList("4A6F73E9204DFC6C6C657220962093436166E994"));
    EXPECT_EQ(storedBytes(path, "CONFIG_4", "MY_ADDRESS"), QStringList(QString("E9").repeated(80)));
    dataModule.open(path);
    TConfiguration reopened(dataModule, dialogs);
    reopened.show();
    EXPECT_EQ(component<QLineEdit>(reopened, "fld_my_name")->text(), name);
    EXPECT_EQ(component<QLineEdit>(reopened, "fld_my_address")->text(), QString(80, QChar(0xE9)));
}

}  // namespace
