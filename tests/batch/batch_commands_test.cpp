#include "datastore/instance_lock.h"
#include "datastore/schema.h"
#include "importing/imported_files.h"
#include "payments/payments_report.h"
#include "reports/statistics_reports.h"
#include "tests/support/batch_tool.h"
#include "tests/support/files.h"
#include "tests/support/report_file.h"
#include "tests/support/version1_database.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <map>

namespace {

class BatchTest : public ::testing::Test, protected BatchTool {
protected:
    const QString alerts = QStringLiteral(Q4_TESTS_DIR "/importing/cb7_alerts.txt");
};

TEST_F(BatchTest, ImportsIntoTheCurrentDatabaseAndRefusesAFileImportedBefore) {
    EXPECT_EQ(batch({"import", "cb7", alerts}), 0) << err.toStdString();
    EXPECT_TRUE(out.startsWith("Working on books (" + path + ")\nAdding Version"));
    EXPECT_TRUE(out.endsWith(alerts + ": 5 records imported.\n"));
    EXPECT_EQ(count("JSEARCH_4"), 5);

    EXPECT_EQ(batch({"import", "cb7", alerts}), 1);
    EXPECT_TRUE(err.contains("give --again")) << err.toStdString();
    EXPECT_EQ(count("JSEARCH_4"), 5);
    EXPECT_EQ(batch({"import", "cb7", "--again", alerts}), 0);
    EXPECT_EQ(count("JSEARCH_4"), 10);
}

// An older current database is backed up and brought up to date before the
// tool works on it, with the files the settings remember as imported.
TEST_F(BatchTest, OlderCurrentDatabaseIsUpgradedWithTheImportsTheSettingsRemember) {
    ASSERT_TRUE(QFile::remove(path));
    makeVersion1Database(path);
    const QString remembered = alerts + ", 5 records, 2025-01-02 03:04";
    workspace.settings.recordImportedFile("books", fileDigest(alerts), remembered);
    EXPECT_EQ(batch({"import", "cb7", alerts}), 1);
    EXPECT_TRUE(err.contains("imported into books before (" + remembered + ")"))
        << err.toStdString();
    EXPECT_TRUE(err.startsWith("The database " + path + " was brought up to date (version 1"))
        << err.toStdString();
    EXPECT_EQ(rows("SELECT VERSION_ FROM SCHEMA_VERSION_4"),
              QStringList(QString::number(schema::currentVersion())));
    EXPECT_EQ(entriesOf(workspace.locations().backupFolder()).size(), 1);
}

TEST_F(BatchTest, RefusesFirstdbAWrongCommandAndAMissingFile) {
    EXPECT_EQ(batch({"import", "cb7", workspace.documents() + "/none.txt"}), 1);
    EXPECT_TRUE(err.contains("cannot be opened")) << err.toStdString();
    EXPECT_EQ(batch({"import", "mbox", alerts}), 2);
    workspace.settings.recordCurrentDatabase({"firstdb", workspace.locations().firstdbPath()});
    EXPECT_EQ(batch({"import", "4jobs", alerts}), 1);
    EXPECT_TRUE(err.contains("'firstdb' may not hold live data")) << err.toStdString();
}

TEST_F(BatchTest, RunsTheStepsInTheOrderGiven) {
    execute("INSERT INTO JSEARCH_4 (PK, POS_TITLE) VALUES (1, ' dba')");
    EXPECT_EQ(batch({"steps", "1,4-5,10"}), 0) << err.toStdString();
    EXPECT_EQ(out, "Working on books (" + path +
                       ")\n(2) Update Job Title  Edits\n  1\n"
                       "(5) Update Position Title Table\n  1\n"
                       "(6) Update Status Table With New Import Values\n  1\n"
                       "(11) Update Job Title Stats Table\n  1\n");
    EXPECT_EQ(rows("SELECT CHANGE_FROM, CHANGE_TO FROM JS_EDIT_4"),
              QStringList("DBA|*** NEW ENTRY, EDIT ME ***"));
    EXPECT_EQ(rows("SELECT CATEGORY, COUNT_, PERCENTAGE FROM STATS_JT_4"),
              QStringList("DBA|1|100"));
    EXPECT_EQ(batch({"steps", "1-3"}), 2);
    EXPECT_EQ(batch({"steps", "12"}), 2);
}

// The report's lines alone go to standard output; --save writes the file
// the form's Save writes and prints its closing lines too.
TEST_F(BatchTest, ReportsPrintTheFormsLinesAndSaveAsTheFormDoes) {
    execute("UPDATE STATS_ST_4 SET COUNT_ = 2, PERCENTAGE = 100 WHERE STATE = 'TX'");
    execute(
        "INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, SS_AMT) VALUES (1, "
        "'SPOUSAL SUPPORT', '2004-02-01', 1500)");
    dataModule.open(path);  // the reports as the forms build them
    const QStringList payments =
        payments_report::build(dataModule.connection(), payments_report::startTicks(), {});
    QStringList state = statistics_reports::stateReport(dataModule.connection());
    dataModule.close();

    EXPECT_EQ(batch({"report", "payments"}), 0) << err.toStdString();
    EXPECT_EQ(out, payments.join('\n') + '\n');
    EXPECT_TRUE(err.startsWith("Working on books")) << err.toStdString();

    EXPECT_EQ(batch({"report", "state", "--save"}), 0) << err.toStdString();
    const QString saved = workspace.locations().reportsFolder() + "/_JOB_SEARCH_STATE_STATS.txt";
    const QString rule(55, '-');
    state << "" << rule << "Saved to file: " + saved << rule << "";
    EXPECT_EQ(out, state.join('\n') + '\n');
    EXPECT_EQ(bytesOf(saved), fileBytes(state));
}

TEST_F(BatchTest, RefusesAPdfItCannotWrite) {
    EXPECT_EQ(batch({"report", "title", "--pdf", workspace.documents() + "/r.pdf"}), 2);
    EXPECT_TRUE(err.contains("cannot write PDF")) << err.toStdString();
}

// Output lost on a full disk is a failure whatever the command printed.
TEST_F(BatchTest, OutputThatCannotBePrintedWholeFails) {
    QFile full("/dev/full");
    ASSERT_TRUE(full.open(QIODevice::WriteOnly));
    QTextStream fullDisk(&full), errors(&err);
    for (const QStringList& command :
         {QStringList{"obligation", "list"}, QStringList{"report", "state"}}) {
        err.clear();
        EXPECT_EQ(batch::run(command, workspace.locations(), workspace.settings, fullDisk, errors),
                  1)
            << command.join(' ').toStdString();
        errors.flush();
        EXPECT_TRUE(err.contains("No space left on device")) << err.toStdString();
    }
}

// Backup and restore print the form's lines (the library's tests try what
// they refuse); a database name is folded to small letters.
TEST_F(BatchTest, BacksUpAndRestoresWithTheFormsLines) {
    EXPECT_EQ(batch({"backup", "BOOKS"}), 0) << err.toStdString();
    const QStringList lines = out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << out.toStdString();
    EXPECT_EQ(lines[0], "Backing up: " + path);
    const QString backup = lines[1].mid(QString("Backed up to: ").size());
    EXPECT_TRUE(err.contains("closing file, committing, and finishing")) << err.toStdString();
    EXPECT_EQ(batch({"restore", backup}), 0) << err.toStdString();
    EXPECT_TRUE(out.contains("Restored to: " + workspace.locations().restoredFolder() +
                             "/books.gdb\nThe restored database opens.\n"));
    EXPECT_EQ(batch({"backup", "nobody"}), 1);
    EXPECT_EQ(batch({"backup"}), 2);
}

// Zip and unzip need every database free: they wait for the program to
// close; unzip fails when it refused an entry.
TEST_F(BatchTest, ZipsAndUnzipsTheDatabaseFolder) {
    {
        InstanceLock program(workspace.locations());
        ASSERT_TRUE(program.take().isEmpty());
        EXPECT_EQ(batch({"zip"}), 1);
        EXPECT_TRUE(err.contains("Close it and try again")) << err.toStdString();
    }
    EXPECT_EQ(batch({"zip"}), 0) << err.toStdString();
    const QString archive = out.trimmed().section(": ", 1);
    EXPECT_TRUE(QFileInfo::exists(archive)) << out.toStdString();

    const QString unzipped = workspace.locations().unzipFolder();
    EXPECT_EQ(batch({"unzip", archive}), 0) << err.toStdString();
    EXPECT_TRUE(out.startsWith("The databases have restored to: " + unzipped));
    EXPECT_EQ(QDir(unzipped).entryList(QDir::Files), QStringList{"books.gdb"});
    EXPECT_EQ(batch({"unzip", archive}), 1);  // what it would replace is refused
}

TEST_F(BatchTest, CheckFilesListsThePaymentsWhoseItemFileIsMissing) {
    const QString proof = workspace.documents() + "/receipt.pdf";
    writeFile(proof, "");
    execute(QString("INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, ITEM_FILE) VALUES (1, 'CHILD "
                    "SUPPORT', '2004-02-01', '%1')")
                .arg(proof));
    execute("INSERT INTO QUORVEL_4 (PK, CATEGORY) VALUES (2, 'CHILD SUPPORT')");
    EXPECT_EQ(batch({"check-files"}), 0) << err.toStdString();
    EXPECT_EQ(out, "1 payments name an item file; 0 of them are missing.\n");

    QFile::remove(proof);
    EXPECT_EQ(batch({"check-files"}), 1);
    EXPECT_EQ(out, "2004-02-01  CHILD SUPPORT  (record 1): " + proof +
                       " is missing\n1 payments name an item file; 1 of them are missing.\n");
}

// The database, the program's folders and a file the user did not give up
// are never written over: --replace replaces a plain file only.
TEST_F(BatchTest, OutputsNeverReplaceADatabaseAndReplaceAFileOnlyWhenAsked) {
    const QByteArray database = bytesOf(path);
    const QString link = workspace.documents() + "/link.csv";
    const QString copy = workspace.documents() + "/copy.csv";
    ASSERT_TRUE(QFile::link(path, link) && QFile::copy(path, copy));
    const QString backups = workspace.locations().backupFolder();
    const QString program = workspace.locations().programFolder();
    const QString fifo = workspace.documents() + "/fifo";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString settings =
        QFileInfo(workspace.documents()).path() + "/settings/KELBRIDGE_LABS/QUORVEL4.conf";
    ASSERT_TRUE(QFileInfo::exists(settings));
    const QString inFolder =
        " is not written: it is in %1, the program's own folder of "
        "databases, backups or archives.\n";
    const std::map<QStringList, QString> refused = {
        {{"export", "jobs", path}, path + inFolder.arg(workspace.locations().databaseFolder())},
        {{"export", "jobs", link, "--replace"},
         link + inFolder.arg(workspace.locations().databaseFolder())},
        {{"export", "payments", copy, "--replace"},
         copy + " is not written: it is a Firebird database.\n"},
        {{"pack", "--from", "2004-01-01", "--to", "2004-12-31", backups + "/p.zip"},
         backups + "/p.zip" + inFolder.arg(backups)},
        {{"export", "jobs", fifo, "--replace"},
         fifo + " is not written: it is not a plain file (a folder, a device or a pipe).\n"},
        {{"export", "jobs", settings, "--replace"},
         settings + " is not written: it is the program's settings file.\n"},
        {{"export", "jobs", program + "/tmp/jobs.csv"},
         program + "/tmp/jobs.csv is not written: the program keeps its own files in " + program +
             "; of its folders only " + program + "/reports takes files.\n"}};
    for (const auto& [command, refusal] : refused) {
        EXPECT_EQ(batch(command), 1) << command.join(' ').toStdString();
        EXPECT_EQ(err, refusal);
    }
    EXPECT_EQ(bytesOf(path), database);
    EXPECT_EQ(bytesOf(copy), database);

    const QString csv = workspace.documents() + "/jobs.csv";
    ASSERT_EQ(batch({"export", "jobs", csv}), 0) << err.toStdString();
    EXPECT_EQ(batch({"export", "jobs", csv, "--from", "2004-01-01"}), 1);
    EXPECT_EQ(err, csv + " exists already; give --replace to replace it.\n");
    EXPECT_EQ(batch({"export", "jobs", csv, "--to", "9999-12-31", "--replace"}), 0)
        << err.toStdString();
    EXPECT_EQ(out, "0 records exported to " + csv + "\n");
}

// A wrong command is named in one line, followed by where help is; a date
// a database cannot hold is wrong as a date.
TEST_F(BatchTest, AWrongCommandSaysWhatIsWrongInOneLine) {
    const QString csv = workspace.documents() + "/jobs.csv";
    const std::map<QStringList, QString> wrong = {
        {{}, "No command given."},
        {{"export", "jobs", csv, "--from", "2005-01-01", "--to", "2004-01-01"},
         "export: --from 2005-01-01 is after --to 2004-01-01."},
        {{"export", "jobs", csv, "--to", "10000-01-01"},
         "export --to 10000-01-01: not a date YYYY-MM-DD from 0001-01-01 to 9999-12-31."},
        {{"pack", "--from", "2004-01-01", csv}, "pack takes --from DATE, --to DATE and one file."},
        {{"report", "state", "--pdf"}, "report --pdf needs a value."},
        {{"history", "show", "--record", ""}, "history --record needs a value."},
        {{"zip", "now"}, "zip takes no operand."},
        {{"report", "title", "--print"}, "report takes no option --print."},
        {{"report", "monthly"},
         "report takes one report: payments, title, state, arrears or weeks."},
        {{"report", "payments", "--csv", csv},
         "report payments takes no --from, --to, --count-on or --csv."},
        {{"report", "weeks", "--from", "2004-01-01"},
         "report weeks takes --from DATE and --to DATE."},
        {{"report", "weeks", "--from", "2004-01-02", "--to", "2004-01-01"},
         "report: --from 2004-01-02 is after --to 2004-01-01."},
        {{"report", "weeks", "--from", "2004-01-01", "--to", "2004-12-31", "--pdf", csv},
         "report weeks takes no --save, --pdf or --count-on."},
        {{"report", "weeks", "--from", "2004-01-01", "--to", "2004-12-31", "--csv", csv},
         "report weeks --csv " + csv + ": not a folder."},
        {{"report", "weeks", "--from", "2004-01-01", "--to", "2004-12-31", "--csv", "/dev/null"},
         "report weeks --csv /dev/null: not a folder."},
        {{"check-files", "now"}, "check-files takes no operand."},
        {{"export", "jobs", csv, "--from", "2004-04-01", "--from", "2004-01-01"},
         "export --from is given twice."},
        {{"frobnicate"}, "Unknown command frobnicate."}};
    for (const auto& [arguments, what] : wrong) {
        EXPECT_EQ(batch(arguments), 2) << what.toStdString();
        EXPECT_EQ(err, what + "\nTry 'quorvel4-batch --help'.\n");
    }
    EXPECT_FALSE(QFile::exists(csv));
    EXPECT_EQ(batch({"--help"}), 0);
    EXPECT_EQ(out.toUtf8(), goldenBytes("batch/expected_help.txt"));
}

}  // namespace
