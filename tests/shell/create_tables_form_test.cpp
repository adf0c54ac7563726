#include "shell/create_tables_form.h"
#include "datastore/data_module.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_connection.h"
#include "tests/support/workspace.h"

#include <QFile>
#include <QFontInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class CreateTablesFormTest : public ::testing::Test {
protected:
    void typeName(const QString& text) {
        auto* field = form.findChild<QLineEdit*>("fld_database_name");
        field->clear();
        QTest::keyClicks(field, text);
    }
    void pressCreate() {
        QTest::mouseClick(form.findChild<QPushButton*>("btn_create_tables"), Qt::LeftButton);
    }
    QStringList memoLines() const {
        return form.findChild<QPlainTextEdit*>("Memo1")->toPlainText().split('\n');
    }
    int citiesIn(const QString& path) {
        TestConnection db(path);
        return db.scalar("SELECT COUNT(*) FROM CITY_4").toInt();
    }
    void addCity(const QString& path) {
        TestConnection db(path);
        db.execute("INSERT INTO CITY_4 (CITY) VALUES ('AUSTIN')");
    }

    TestWorkspace workspace;
    Locations locations = workspace.locations();
    TDataModule2 dataModule;
    ScriptedDialogs dialogs;
    TCreate_Tables form{locations, dataModule, dialogs};
};

TEST_F(CreateTablesFormTest, NameIsUpperCasedAndHoldsEightCharacters) {
    typeName("books2004x");
    EXPECT_EQ(form.findChild<QLineEdit*>("fld_database_name")->text(), "BOOKS200");
}

TEST_F(CreateTablesFormTest, EmptyNameIsRefusedWithAMessage) {
    typeName("");
    pressCreate();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "");
    EXPECT_EQ(dialogs.messages[0].text, "No database name...can't create tables..");
    EXPECT_FALSE(QFile::exists(locations.databaseFolder()));
}

TEST_F(CreateTablesFormTest, SuccessfulRunFillsTheMemoAndMakesTheFile) {
    typeName("books");
    pressCreate();
    EXPECT_TRUE(dialogs.messages.empty());
    const QStringList lines = memoLines();
    EXPECT_EQ(lines.size(), 4 + 3 + 18 + 3 + 10 + 4);
    EXPECT_EQ(lines[1], "Checking for database, and creating if necessary");
    EXPECT_EQ(lines.last(), "Adding default values into stats_st_4 [CURRENTLY NOT ACTIVELY USED]");
    EXPECT_TRUE(QFile::exists(locations.databasePath("books")));
    EXPECT_TRUE(QFontInfo(form.findChild<QPlainTextEdit*>("Memo1")->font()).fixedPitch());
}

TEST_F(CreateTablesFormTest, ReplacingAnExistingDatabaseAsksFirst) {
    const QString path = workspace.copyOfNewDatabase("books");
    addCity(path);

    typeName("books");
    dialogs.queueAnswer(Answer::No);
    pressCreate();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "MESSAGE");
    EXPECT_EQ(dialogs.messages[0].buttons, Buttons::YesNo);
    EXPECT_TRUE(dialogs.messages[0].text.contains("records"));
    EXPECT_EQ(citiesIn(path), 1);
    EXPECT_TRUE(form.findChild<QPlainTextEdit*>("Memo1")->toPlainText().isEmpty());

    dialogs.queueAnswer(Answer::Yes);
    pressCreate();
    EXPECT_EQ(citiesIn(path), 0);
}

TEST_F(CreateTablesFormTest, TheDatabaseInUseIsNeverReplaced) {
    const QString path = workspace.copyOfNewDatabase("books");
    addCity(path);
    dataModule.open(path);

    typeName("BOOKS");
    pressCreate();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "MESSAGE");
    EXPECT_EQ(dialogs.messages[0].buttons, Buttons::Ok);
    EXPECT_TRUE(dataModule.isOpen());
    dataModule.close();
    EXPECT_EQ(citiesIn(path), 1);
}

}  // namespace
