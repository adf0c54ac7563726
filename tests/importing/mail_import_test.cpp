#include "importing/mail_import.h"
#include "datastore/locations.h"
#include "datastore/schema.h"
#include "importing/import_run.h"
#include "platform/firebird.h"
#include "tests/support/books_database.h"
#include "tests/support/error_of.h"
#include "tests/support/files.h"
#include "tests/support/listing.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// Every column an importer fills, text as the program reads it.
QString storedColumns() {
    QStringList columns;
    for (const char* name : {"DATE_", "YYYYMMDD", "TIME_", "CONTACT_NAME", "EMAIL", "ACTIVE_",
                             "POS_TYPE", "POS_CITY", "POS_STATE", "POS_TITLE", "POS_TITLE_ORIGINAL",
                             "SUBMITTED", "REASON_NO_SUBMIT", "ITEM_FILE", "COMMENT"}) {
        const schema::Column& column = *schema::table("JSEARCH_4").column(name);
        columns.append(
            column.isText()
                ? QString("COALESCE(%1, '-')").arg(column.selectSql().section(" AS ", 0, -2))
                : column.name);
    }
    return columns.join(", ");
}

class MailImportTest : public ::testing::Test, protected BooksDatabase {
protected:
    // A copy of a mail file of the tests folder, at a path with capitals.
    QString mailFile(const QString& name) {
        const QString copy = folder.filePath("Saved Mail/" + name);
        QDir().mkpath(folder.filePath("Saved Mail"));
        QFile::copy(QStringLiteral(Q4_TESTS_DIR "/importing/") + name, copy);
        return copy;
    }
    mail_import::Report import(MailKind kind, const QString& path) {
        return mail_import::importFile(
            kind, dataModule.connection(), path, [this](const QString& line) { log.append(line); },
            [this](int passes, qint64, qint64) { lastPass = passes; });
    }
    // The imported rows, in the order of their keys, the file's folder
    // written as FOLDER; then the city pick list.
    QStringList stored() {
        QStringList lines =
            rows(QString("SELECT %1 FROM JSEARCH_4 ORDER BY PK").arg(storedColumns()));
        lines.replaceInStrings(folder.path(), "FOLDER");
        lines.append("CITY_4: " + rows("SELECT CITY FROM CITY_4 ORDER BY CITY").join(" / "));
        return lines;
    }
    // Key and chain number are one number, 1e-10 above the record before.
    void expectKeysInSteps() {
        const QStringList keys = rows("SELECT PK, REFNUM FROM JSEARCH_4 ORDER BY PK");
        for (int record = 0; record < keys.size(); ++record) {
            const QStringList pair = keys[record].split('|');
            EXPECT_EQ(pair[0], pair[1]);
            if (record > 0) {
                EXPECT_NEAR(pair[0].toDouble() - keys[record - 1].section('|', 0, 0).toDouble(),
                            1e-10, 1e-11);
            }
        }
    }

    QTemporaryDir folder;
    QStringList log;
    int lastPass = 0;
};

TEST_F(MailImportTest, CareerBuilderAlertsGiveOneRecordPerLocationLine) {
    const mail_import::Report report = import(MailKind::CareerBuilder7, mailFile("cb7_alerts.txt"));
    EXPECT_EQ(report.records, 5);
    EXPECT_EQ(report.passes, 17);
    EXPECT_EQ(lastPass, 17);
    expectListing(stored(), "importing/cb7_alerts_rows.txt");
    expectKeysInSteps();
    EXPECT_EQ(log.size(), 2);
}

TEST_F(MailImportTest, FourJobsAlertsGiveOneRecordPerLocationUnderTheLastTitle) {
    execute("INSERT INTO CITY_4 (CITY) VALUES (' austin')");
    EXPECT_EQ(import(MailKind::FourJobs, mailFile("4jobs_alerts.txt")).records, 5);
    EXPECT_EQ(log.value(0), "Adding 4jobs.com Records To Database");
    expectListing(stored(), "importing/4jobs_alerts_rows.txt");
    expectKeysInSteps();
}

TEST_F(MailImportTest, RecruiterMailGivesOneRecordPerSubjectAndLogsItsHeaders) {
    EXPECT_EQ(import(MailKind::Recruiter, mailFile("recruiter_mail.txt")).records, 5);
    expectListing(stored() + log, "importing/recruiter_mail_rows.txt");
}

// A run that fails part way stores nothing and says where it failed.
TEST_F(MailImportTest, ABadDateRollsTheWholeRunBack) {
    QStringList lines;
    for (int job = 0; job < 13; ++job)
        lines << "Sent: March 03, 2004"
              << "TX-Austin"
              << "Analyst";
    lines << "Sent: Monday, March 08, 2004"
          << "TX-Austin"
          << "Analyst";  // line 40
    const QString path = folder.filePath("bad.txt");
    writeFile(path, lines.join('\n').toLatin1());
    EXPECT_EQ(errorOf<ImportError>([&] { import(MailKind::CareerBuilder7, path); }),
              path +
                  ", line 41: The date \"Monday,/March 08/2004\" of line 40 is not a date.\n"
                  "Nothing of this file was imported.");
    EXPECT_EQ(count("JSEARCH_4"), 0);
    EXPECT_EQ(count("CITY_4"), 0);
    EXPECT_THROW(import(MailKind::FourJobs, folder.filePath("missing.txt")), ImportError);
}

// The record of an imported file commits with its records: a run that
// fails leaves neither, one that succeeds leaves both, and a record that
// cannot be written takes the records back with it.
TEST_F(MailImportTest, ImportOnceRecordsTheFileInTheTransactionOfItsRecords) {
    int asked = 0;
    const auto importOnce = [&](const QString& file) {
        return mail_import::importOnce(
            MailKind::CareerBuilder7, dataModule.connection(), file,
            [&](const ImportedFiles::File&) { return ++asked, false; },
            [this](const QString& line) { log.append(line); }, {});
    };
    const QString alerts = mailFile("cb7_alerts.txt");
    fb::Attachment::attach(path, databaseAccount())
        .executeInOwnTransaction(
            "ALTER TABLE IMPORTED_FILE_4 ADD CONSTRAINT REFUSE_ALL "
            "CHECK (RECORDS < 0)");
    EXPECT_TRUE(errorOf<ImportError>([&] { importOnce(alerts); }).contains("REFUSE_ALL"));
    EXPECT_EQ(count("JSEARCH_4"), 0) << "records kept whose file is not recorded";
    EXPECT_EQ(count("HISTORY_4"), 0);
    fb::Attachment::attach(path, databaseAccount())
        .executeInOwnTransaction("ALTER TABLE IMPORTED_FILE_4 DROP CONSTRAINT REFUSE_ALL");

    EXPECT_EQ(importOnce(alerts)->records, 5);
    EXPECT_EQ(rows("SELECT KIND, FILE_NAME, RECORDS FROM IMPORTED_FILE_4"),
              QStringList{"cb7|" + alerts + "|5"});
    EXPECT_EQ(importOnce(alerts), std::nullopt);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(count("JSEARCH_4"), 5);

    // One history entry for the whole import, naming the range of its keys.
    const QStringList keys = rows("SELECT PK FROM JSEARCH_4 ORDER BY PK");
    const QString range = keys.first() + " TO " + keys.last();
    EXPECT_EQ(rows("SELECT TABLE_NAME, RECORD_KEY, ACTION, SOURCE, CHANGES FROM HISTORY_4"),
              QStringList("JSEARCH_4|" + range + "|ADDED|IMPORT OF " + alerts + "|FILE\t\t" +
                          alerts + "\nSHA256\t\t" + fileDigest(alerts) +
                          "\nIMPORTER\t\tcb7\nRECORDS ADDED\t\t5\nKEYS\t\t" + range));
}

// What a database of the same name held before it was made anew is no
// reason to refuse a file.
TEST_F(MailImportTest, ADatabaseMadeAnewUnderTheSameNameForgetsItsPredecessorsImports) {
    const QString alerts = mailFile("cb7_alerts.txt");
    const auto importOnce = [&] {
        return mail_import::importOnce(
            MailKind::CareerBuilder7, dataModule.connection(), alerts,
            [](const ImportedFiles::File&) { return false; }, [](const QString&) {}, {});
    };
    ASSERT_TRUE(importOnce());
    dataModule.close();
    workspace.copyOfNewDatabase("books");
    dataModule.open(path);
    ASSERT_TRUE(importOnce()) << "refused as imported before";
    EXPECT_EQ(count("JSEARCH_4"), 5);
}

}  // namespace
