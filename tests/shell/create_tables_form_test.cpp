#include "shell/create_tables_form.h"
#include "forms/fixed_font.h"
#include "tests/support/books_database.h"
#include "tests/support/form_driver.h"
#include "tests/support/listing.h"
#include "tests/support/scripted_dialogs.h"

#include <QFile>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

namespace {

// The form beside a database "books" holding one city, not open.
class CreateTablesFormTest : public ::testing::Test, protected BooksDatabase {
protected:
    CreateTablesFormTest() {
        execute("INSERT INTO CITY_4 (CITY) VALUES ('AUSTIN')");
        dataModule.close();
    }
    void create(const QString& name) {
        typeInto(form, "fld_database_name", name);
        press(form, "btn_create_tables");
    }
    QString memo() const { return component<QPlainTextEdit>(form, "Memo1")->toPlainText(); }

    Locations locations = workspace.locations();
    ScriptedDialogs dialogs;
    TCreate_Tables form{locations, dataModule, dialogs};
};

// The name is upper-cased and holds eight characters.
TEST_F(CreateTablesFormTest, EmptyNameIsRefusedAndANewNameIsCreatedWithItsLog) {
    QTest::keyClicks(component<QLineEdit>(form, "fld_database_name"), "books2004x");
    EXPECT_EQ(component<QLineEdit>(form, "fld_database_name")->text(), "BOOKS200");
    create("");
    create("A/B");
    EXPECT_EQ(dialogs.shown(),
              QStringList({": No database name...can't create tables..",
                           "MESSAGE: \"A/B\" cannot name a database: use letters, digits, blanks, "
                           "\"-\" and \"_\" only."}));
    EXPECT_FALSE(QFile::exists(locations.databaseFolder() + "/a"));
    create("live");
    EXPECT_EQ(dialogs.messages.size(), 2u);
    QStringList lines = memo().split('\n');
    EXPECT_EQ(lines.takeLast(), "The database LIVE is ready: " + locations.databasePath("live"));
    expectListing(lines, "datastore/expected_create_log.txt");
    EXPECT_TRUE(QFile::exists(locations.databasePath("live")));
    EXPECT_TRUE(hasOneWidth(component<QPlainTextEdit>(form, "Memo1")->font()));
}

TEST_F(CreateTablesFormTest, ReplacingAnExistingDatabaseAsksFirst) {
    dialogs.queueAnswer(Answer::No);
    create("books");
    EXPECT_EQ(dialogs.shown(), QStringList("MESSAGE: A database named BOOKS already exists.\n"
                                           "Replacing it deletes all of its records.\n"
                                           "Do you want to replace it?"));
    EXPECT_EQ(dialogs.messages[0].buttons, Buttons::YesNo);
    EXPECT_EQ(count("CITY_4"), 1);
    EXPECT_TRUE(memo().isEmpty());

    dialogs.queueAnswer(Answer::Yes);
    create("books");
    EXPECT_EQ(count("CITY_4"), 0);
}

TEST_F(CreateTablesFormTest, TheDatabaseInUseIsNeverReplaced) {
    dataModule.open(path);
    create("BOOKS");
    EXPECT_EQ(dialogs.shown(),
              QStringList("MESSAGE: The database BOOKS is the one in use and cannot be replaced.\n"
                          "Change to another database first."));
    EXPECT_TRUE(dataModule.isOpen());
    dataModule.close();
    EXPECT_EQ(count("CITY_4"), 1);
}

}  // namespace
