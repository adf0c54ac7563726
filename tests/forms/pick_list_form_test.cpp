#include "forms/pick_list_form.h"
#include "tests/support/books_database.h"
#include "tests/support/form_driver.h"
#include "tests/support/listing.h"
#include "tests/support/scripted_dialogs.h"

#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

class PickListFormTest : public ::testing::Test, protected BooksDatabase {
protected:
    PickListFormTest() { form.show(); }

    QTabWidget* tabs() { return component<QTabWidget>(form, "PageControl1"); }
    void showTab(const QString& name) { tabs()->setCurrentWidget(component<QWidget>(form, name)); }
    // Types into the editor that Add opened in the shown grid.
    void typeNewValue(const QString& text) {
        QLineEdit* editor = form.shownGrid()->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, text);
    }
    ScriptedDialogs dialogs;
    Tpick_list_form form{dataModule, dialogs};
};

TEST_F(PickListFormTest, TenTabsInOrderAndItAlwaysOpensOnCarrier) {
    QStringList tabsShown;
    for (int index = 0; index < tabs()->count(); ++index)
        tabsShown.append(tabs()->widget(index)->objectName() + "=" + tabs()->tabText(index));
    expectListing(tabsShown, "forms/expected_pick_list_tabs.txt");
    showTab("tab_reason");
    form.close();
    Tpick_list_form again(dataModule, dialogs);
    again.show();
    EXPECT_EQ(component<QTabWidget>(again, "PageControl1")->currentWidget()->objectName(),
              "tab_carrier");
}

TEST_F(PickListFormTest, ARefusalSavesNoTabAndKeepsEveryChangeUntilCorrected) {
    press(form, "btn_add");
    press(form, "btn_save");
    EXPECT_EQ(dialogs.shown(), QStringList("MESSAGE: The new entry of CARRIER has no value: type "
                                           "one, or press Cancel."));
    TableModel& carriers = *dataModule.table("CARRIER_4");
    const QModelIndex added = carriers.index(carriers.rowCount() - 1, 0);
    carriers.setData(added, "UPS   - GROUND");  // already in the list
    form.shownGrid()->setCurrentIndex(added);
    TableModel& cities = *dataModule.table("CITY_4");
    cities.insertRow(0);
    cities.setData(cities.index(0, 0), "AUSTIN");
    showTab("tab_city");
    press(form, "btn_save");
    const QString refusal = dialogs.shown().value(1);
    EXPECT_TRUE(
        refusal.startsWith("PROGRAM ERROR: Nothing was saved: \"UPS   - GROUND\" is already "
                           "in the CARRIER list.\n"))
        << refusal.toStdString();
    EXPECT_TRUE(refusal.contains("PRIMARY or UNIQUE KEY")) << refusal.toStdString();
    EXPECT_EQ(tabs()->currentWidget()->objectName(), "tab_carrier");
    EXPECT_EQ(count("CITY_4"), 0);
    EXPECT_TRUE(cities.isDirty());
    EXPECT_TRUE(buttonEnabled(form, "btn_save"));

    carriers.setData(added, "DHL - GROUND");
    press(form, "btn_save");
    EXPECT_EQ(dialogs.messages.size(), 2u) << dialogs.messages.back().text.toStdString();
    EXPECT_EQ(count("CITY_4", "CITY = 'AUSTIN'"), 1);
    EXPECT_EQ(count("CARRIER_4", "CARRIER = 'DHL - GROUND'"), 1);
    EXPECT_EQ(form.shownGrid()->valueAt(form.shownGrid()->currentIndex().row()), "DHL - GROUND");
}

TEST_F(PickListFormTest, DeleteAsksAndDeletesOnlyOnYes) {
    form.shownGrid()->setCurrentIndex(QModelIndex());
    press(form, "btn_delete");
    EXPECT_EQ(dialogs.shown(),
              QStringList("MESSAGE: Choose the entry of CARRIER to delete first."));
    form.shownGrid()->selectRow(0);
    dialogs.queueAnswer(Answer::No);
    press(form, "btn_delete");
    EXPECT_EQ(count("CARRIER_4"), 23);
    dialogs.queueAnswer(Answer::Yes);
    press(form, "btn_delete");
    EXPECT_EQ(count("CARRIER_4"), 22);
    EXPECT_EQ(count("CARRIER_4", "CARRIER = 'FEDEX - 1DAY FREIGHT'"), 0);
}

TEST_F(PickListFormTest, ChangeTypedOnOneTabSurvivesATabSwitch) {
    showTab("tab_city");
    press(form, "btn_add");
    typeNewValue("AUSTIN");
    showTab("tab_reason");
    press(form, "btn_save");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(count("CITY_4", "CITY = 'AUSTIN'"), 1);

    showTab("tab_city");
    press(form, "btn_add");
    typeNewValue("DALLAS");
    showTab("tab_item");
    press(form, "btn_cancel");
    EXPECT_FALSE(dataModule.table("CITY_4")->isDirty());
    EXPECT_EQ(count("CITY_4"), 1);
}

}  // namespace
