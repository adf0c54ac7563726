#include "shell/main_screen.h"
#include "datastore/data_module.h"
#include "datastore/schema.h"
#include "platform/kbx.h"
#include "tests/support/files.h"
#include "tests/support/form_driver.h"
#include "tests/support/listing.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_connection.h"
#include "tests/support/version1_database.h"
#include "tests/support/workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

const QString kResetText = "Unable to locate the stored database file, resetting\nto 'firstdb'.";
const QString kFirstdbWarning =
    "You may not use 'firstdb' for live data...\nCreate live datafile and/or change to the live\n"
    "file.  Until you do so all menu options are diabled";

// The menu as indented captions with their object names.
void describeMenu(const QList<QAction*>& actions, int depth, QStringList& lines) {
    for (QAction* action : actions) {
        QMenu* submenu = action->menu();
        const QString name = submenu ? submenu->objectName() : action->objectName();
        lines.append(QString(depth * 2, ' ') + action->text() + " [" + name + "]" +
                     (action->isEnabled() ? "" : " disabled"));
        if (submenu)
            describeMenu(submenu->actions(), depth + 1, lines);
    }
}

class MainScreenTest : public ::testing::Test {
protected:
    QAction* item(const QString& name) { return window.findChild<QAction*>(name); }
    bool menuEnabled(const QString& name) {
        return window.findChild<QMenu*>(name)->menuAction()->isEnabled();
    }
    QString label() { return window.findChild<QLabel*>("Label1")->text(); }
    // Whether the menus that need a usable database are enabled.
    bool dataMenusEnabled() {
        const bool databases = menuEnabled("Databases1"), reports = menuEnabled("Reports1"),
                   configuration = item("Configuration1")->isEnabled(),
                   rules = item("WorkSearchRules1")->isEnabled();
        EXPECT_TRUE(databases == reports && reports == configuration && configuration == rules)
            << "enabled apart";
        return databases;
    }
    QString recorded() {
        return settings.currentDatabase().name + "|" + settings.currentDatabase().path;
    }

    TestWorkspace workspace;
    Locations locations = workspace.locations();
    SettingsStore& settings = workspace.settings;
    TDataModule2 dataModule;
    ScriptedDialogs dialogs;
    TMain_Screen2 window{locations, settings, dataModule, dialogs};
};

TEST_F(MainScreenTest, MenuHasEveryItemInItsPlace) {
    QStringList lines;
    describeMenu(window.menuBar()->actions(), 0, lines);
    expectListing(lines, "shell/expected_menu.txt");
}

TEST_F(MainScreenTest, FirstStartRecordsAndOpensFirstdbAndRefusesLiveWork) {
    window.FormActivate();

    EXPECT_EQ(dialogs.shown(), QStringList("PROGRAM ERROR: " + kFirstdbWarning));
    EXPECT_EQ(recorded(), "firstdb|" + locations.firstdbPath());
    EXPECT_EQ(window.windowTitle(), "QUORVEL " QUORVEL4_VERSION "::2004-02-01::");
    EXPECT_EQ(label(), "firstdb");
    EXPECT_EQ(dataModule.openPath(), locations.firstdbPath());
    EXPECT_EQ(dataModule.table("CARRIER_4")->rowCount(), 23);
    EXPECT_FALSE(dataMenusEnabled());
    for (const char* usable : {"Exit1", "CreateDatabases1", "ChangeDatabases1"})
        EXPECT_TRUE(item(usable)->isEnabled()) << usable;
}

// A recorded file that was deleted falls back to firstdb, saying so; a path
// recorded as "failed" counts as none and resets silently.
TEST_F(MainScreenTest, RecordedFileThatIsGoneOrFailedFallsBackToFirstdb) {
    for (const QString& recordedPath :
         {workspace.documents() + "/gone/books.gdb", QString("failed")}) {
        dialogs.messages.clear();
        settings.recordCurrentDatabase({"books", recordedPath});
        window.FormActivate();
        QStringList said = {"PROGRAM ERROR: " + kResetText, "PROGRAM ERROR: " + kFirstdbWarning};
        EXPECT_EQ(dialogs.shown(), recordedPath == "failed" ? said.mid(1) : said);
        EXPECT_EQ(recorded(), "firstdb|" + locations.firstdbPath());
        EXPECT_EQ(label(), "firstdb");
    }
}

// The database "books", recorded as current and opened.
class LiveDatabaseTest : public MainScreenTest {
protected:
    LiveDatabaseTest() {
        settings.recordCurrentDatabase({"books", books});
        window.FormActivate();
    }
    QStringList zipFolder() { return QDir(locations.zipFolder()).entryList(QDir::Files); }

    QString books = workspace.copyOfNewDatabase("books");
};

// A live database opens without a word. Firebird collects old record
// versions only behind the oldest open transaction: while a form waits for
// the user, the program holds none.
TEST_F(LiveDatabaseTest, OpensAndNoTransactionStaysOpenWhileAFormWaits) {
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.shown().join('\n').toStdString();
    EXPECT_EQ(label(), "books");
    EXPECT_EQ(dataModule.openPath(), books);
    EXPECT_TRUE(dataMenusEnabled());
    auto programTransactions = [&] {
        const char* others =
            "SELECT COUNT(*) FROM MON$TRANSACTIONS WHERE MON$ATTACHMENT_ID <> "
            "CURRENT_CONNECTION";
        return TestConnection(books).rows(others).value(0).toInt();
    };
    EXPECT_EQ(programTransactions(), 0);
    dialogs.queueAnswer(Answer::Yes);  // backed up: the import form opens at once
    for (const char* menuItem :
         {"MaintainPaymentRecords1", "MaintainJobSearchRecords1", "JobSearchEditsImports1",
          "JobTitleEdits1", "SupportObligations1", "PickLists1", "ArrearsStatement1",
          "WeeklyWorkSearch1", "Configuration1", "WorkSearchRules1"}) {
        int whileOpen = -1;
        whenModalOpens([&](QWidget*) { whileOpen = programTransactions(); });
        item(menuItem)->trigger();
        EXPECT_EQ(whileOpen, 0) << menuItem;
    }
    EXPECT_EQ(dialogs.shown(), QStringList("MASSIVE DATA IMPORT: Have you backed up the data file "
                                           "you are importing into?\n"));
}

TEST_F(MainScreenTest, FirstdbIsRebuiltEvenWhileItIsTheOpenDatabase) {
    window.FormActivate();
    TestConnection(locations.firstdbPath()).execute("INSERT INTO CITY_4 (CITY) VALUES ('AUSTIN')");

    window.FormActivate();
    EXPECT_EQ(dataModule.openPath(), locations.firstdbPath());
    EXPECT_EQ(dataModule.table("CITY_4")->rowCount(), 0);
    EXPECT_EQ(dialogs.shown(), QStringList(2, "PROGRAM ERROR: " + kFirstdbWarning));
}

TEST_F(MainScreenTest, RecordedFileThatIsNoDatabaseIsReportedAndDataMenusStayShut) {
    const QString junk = workspace.documents() + "/junk.gdb";
    writeFile(junk, QByteArray(4096, 'j'));
    settings.recordCurrentDatabase({"junk", junk});

    window.FormActivate();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(
        dialogs.shown()[0].startsWith("PROGRAM ERROR: Unable to open the database " + junk));
    EXPECT_EQ(label(), "junk");
    EXPECT_FALSE(dataMenusEnabled());
}

TEST_F(MainScreenTest, FirstShowActivatesOnceAndAFormClosingActivatesAgain) {
    window.show();
    for (int waited = 0; dialogs.messages.empty() && waited < 5000; waited += 10)
        QTest::qWait(10);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    window.hide();
    window.show();
    QTest::qWait(50);
    EXPECT_EQ(dialogs.messages.size(), 1u);

    whenModalOpens([](QWidget*) {});  // the form closes as soon as it opens
    item("CreateDatabases1")->trigger();
    EXPECT_EQ(dialogs.shown(), QStringList(2, "PROGRAM ERROR: " + kFirstdbWarning));
}

TEST_F(MainScreenTest, QuittingWhileAFormIsOpenActivatesNoMore) {
    window.FormActivate();
    const QDateTime rebuilt = QFileInfo(locations.firstdbPath()).lastModified();
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    item("CreateDatabases1")->trigger();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(QFileInfo(locations.firstdbPath()).lastModified(), rebuilt);
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();  // leaves the application able to run event loops again
}

TEST_F(MainScreenTest, ExitAsksAndEndsOnlyOnYes) {
    QSignalSpy termination(&window, &TMain_Screen2::programTerminationRequested);
    for (const Answer answer : {Answer::No, Answer::Yes})
        dialogs.queueAnswer(answer);
    item("Exit1")->trigger();
    EXPECT_EQ(termination.count(), 0);
    item("Exit1")->trigger();
    EXPECT_EQ(termination.count(), 1);
    const QString ask = "PROGRAM TERMINATION REQUESTED: Do you really want to exit??\n";
    EXPECT_EQ(dialogs.shown(), QStringList(2, ask));
    EXPECT_EQ(dialogs.messages[0].buttons, Buttons::YesNo);
}

// Not backed up: the backup form opens first, and the import form when it
// closes.
TEST_F(LiveDatabaseTest, ImportWithoutABackupOffersTheBackupFormFirst) {
    dialogs.queueAnswer(Answer::No);
    QStringList opened;
    whenModalOpens([&](QWidget* form) {
        opened << form->objectName();
        whenModalOpens([&](QWidget* next) { opened << next->objectName(); });
    });
    item("JobSearchEditsImports1")->trigger();
    EXPECT_EQ(opened, QStringList({"backup_restore_form", "job_search_import_edits_form"}));
}

// The archive is made with the live database closed, which is open again
// afterwards; No makes nothing. The archive's files go to the user's unzip
// folder; the database folder is left as it was, even when the archive
// holds a file of the same name.
TEST_F(LiveDatabaseTest, ZipArchivesTheDatabaseFolderAndUnzipNeverTouchesIt) {
    dialogs.queueAnswer(Answer::No);
    item("ZIPDatabases1")->trigger();
    EXPECT_TRUE(zipFolder().isEmpty());

    dialogs.queueAnswer(Answer::Yes);
    item("ZIPDatabases1")->trigger();
    ASSERT_EQ(zipFolder().size(), 1);
    const QString archive = locations.zipFolder() + "/" + zipFolder()[0];
    EXPECT_EQ(dialogs.shown().mid(1),
              QStringList({"DATABASE ZIPPING REQUESTED: ZIPPING of Databases could take awhile, "
                           "depening on the amount of data.  Continue??\n",
                           "MESSAGE: The databases have been ZIPPED up into: " + archive +
                               "\nThe filename is in the format of: "
                               "QUORVEL-YYYY-MM-DD-HH-MM-SS\n"}));
    EXPECT_EQ(dataModule.openPath(), books);
    EXPECT_TRUE(dataModule.table("QUORVEL_4")->select());

    TestConnection(books).execute("INSERT INTO CITY_4 (CITY) VALUES ('AUSTIN')");
    const QStringList databaseFolder = QDir(locations.databaseFolder()).entryList(QDir::Files);
    const QDateTime changed = QFileInfo(books).lastModified();
    dialogs.queueChosenFile(QString());
    item("UNZIPDatabases1")->trigger();
    EXPECT_FALSE(QDir(locations.unzipFolder()).exists());

    dialogs.queueChosenFile(archive);
    item("UNZIPDatabases1")->trigger();
    EXPECT_EQ(dialogs.fileRequests.back().folder, locations.zipFolder());
    EXPECT_EQ(QDir(locations.unzipFolder()).entryList(QDir::Files), databaseFolder);
    EXPECT_EQ(dialogs.messages.back().text,
              "The databases have restored to: " + locations.unzipFolder() +
                  "\nYOU will need to use your file manager to\nmove the file into the live "
                  "directory\nThis program will NOT overwrite the 'live' files.");
    EXPECT_EQ(QDir(locations.databaseFolder()).entryList(QDir::Files), databaseFolder);
    EXPECT_EQ(QFileInfo(books).lastModified(), changed);
    EXPECT_EQ(TestConnection(books).rows("SELECT CITY FROM CITY_4"), QStringList{"AUSTIN"});
    EXPECT_EQ(
        TestConnection(locations.unzipFolder() + "/books.gdb").rows("SELECT CITY FROM CITY_4"),
        QStringList{});
}

class ChangeDatabaseTest : public MainScreenTest {};

TEST_F(ChangeDatabaseTest, ChosenFileKeepsItsPathAndGivesALowerCaseName) {
    const QString chosen = workspace.documents() + "/Mixed Case/BOOKS.GDB";
    QDir().mkpath(workspace.documents() + "/Mixed Case");
    QFile::copy(workspace.copyOfNewDatabase("template-copy"), chosen);
    QSignalSpy termination(&window, &TMain_Screen2::programTerminationRequested);
    dialogs.queueChosenFile(chosen);

    item("ChangeDatabases1")->trigger();

    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].folder, locations.databaseFolder());
    EXPECT_EQ(dialogs.fileRequests[0].defaultSuffix, "GDB");
    EXPECT_TRUE(dialogs.fileRequests[0].nameFilter.contains("*.gdb"));
    EXPECT_EQ(recorded(), "books|" + chosen);
    EXPECT_EQ(window.currentDatabase().path, chosen);
    EXPECT_EQ(dialogs.shown(),
              QStringList("PROGRAM TERMINATION: Since the database has been changed...\n"
                          "Program must be restarted, stopping program"));
    EXPECT_EQ(termination.count(), 1);

    // The next start opens the chosen file.
    TMain_Screen2 restarted(locations, settings, dataModule, dialogs);
    restarted.FormActivate();
    EXPECT_EQ(dataModule.openPath(), chosen);
    EXPECT_EQ(restarted.findChild<QLabel*>("Label1")->text(), "books");
}

TEST_F(ChangeDatabaseTest, ChoosingTheScratchFileInCapitalsStillMeansFirstdb) {
    const QString chosen = locations.databaseFolder() + "/FIRSTDB.GDB";
    QFile::copy(workspace.copyOfNewDatabase("template-copy"), chosen);
    dialogs.queueChosenFile(chosen);
    item("ChangeDatabases1")->trigger();
    EXPECT_EQ(settings.currentDatabase().name, "firstdb");

    TMain_Screen2 restarted(locations, settings, dataModule, dialogs);
    restarted.FormActivate();
    EXPECT_EQ(dialogs.messages.back().text, kFirstdbWarning);
    EXPECT_FALSE(restarted.findChild<QMenu*>("Databases1")->menuAction()->isEnabled());
}

// The current database of an earlier version is backed up and brought up to
// date before it opens.
TEST_F(MainScreenTest, OlderCurrentDatabaseIsBackedUpAndUpgradedBeforeItOpens) {
    ASSERT_TRUE(locations.ensureFolder(locations.databaseFolder()));
    const QString old = locations.databasePath("old");
    makeVersion1Database(old);
    settings.recordCurrentDatabase({"old", old});
    window.FormActivate();
    const QStringList backups = entriesOf(locations.backupFolder());
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(dialogs.shown(), QStringList("DATABASE UPGRADED: The database " + old +
                                           " was brought up to date (version 1 to " +
                                           QString::number(schema::currentVersion()) +
                                           ").\nThe backup made before is " +
                                           locations.backupFolder() + "/" + backups[0] + "."));
    EXPECT_EQ(dataModule.openPath(), old);
    EXPECT_EQ(TestConnection(old).rows("SELECT VERSION_ FROM SCHEMA_VERSION_4"),
              QStringList(QString::number(schema::currentVersion())));
}

}  // namespace
