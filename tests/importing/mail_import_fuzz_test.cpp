#include "importing/import_run.h"
#include "importing/mail_import.h"
#include "tests/support/books_database.h"
#include "tests/support/files.h"
#include "tests/support/test_seed.h"

#include <gtest/gtest.h>

namespace {

// Lines of every kind the importers look for, and some they must survive.
const char* const kLines[] = {"Sent: December 01, 2003 10:15 AM",
                              "Sent: Monday, December 01, 2003",
                              "Sent: 12/1/2003 4:05 PM",
                              "Sent:",
                              "Sent: Feb",
                              "From: Staffing Desk [x",
                              "From: [",
                              "Subject: hello",
                              "SUBJECT:",
                              "To:",
                              "TX-Austin",
                              "US-",
                              "US-TX-",
                              "PW-Koror",
                              "\"a\" Personal Search Agent has found",
                              "Personal Search Agent has found\"",
                              "x SEARCH AGENT: Refine",
                              "Title: <http:",
                              "Title:",
                              "Location: , ",
                              "Location:",
                              "Location: Austin, TX",
                              ""};

QByteArray randomMail(QRandomGenerator& random) {
    QByteArray mail;
    const int lines = random.bounded(1, 40);
    for (int line = 0; line < lines; ++line) {
        if (random.bounded(4) == 0) {
            const int length = random.bounded(0, 300);
            for (int byte = 0; byte < length; ++byte)
                mail.append(char(random.bounded(256)));
        } else {
            mail.append(kLines[random.bounded(int(std::size(kLines)))]);
        }
        mail.append(random.bounded(3) == 0 ? "\r\n" : "\n");
    }
    return mail;
}

// Random bytes and random mixes of real lines: every run ends, either
// storing its records or failing with a clean error that stores nothing.
TEST(MailImportFuzz, AnyInputEndsInRecordsOrACleanErrorThatStoresNothing) {
    BooksDatabase books;
    const quint32 seed = testSeed();
    QRandomGenerator random(seed);
    const QString path = books.workspace.documents() + "/fuzz.txt";
    int stored = 0;
    for (int run = 0; run < 300; ++run) {
        writeFile(path, randomMail(random));
        const MailKind kind = MailKind(run % 3);
        try {
            stored += mail_import::importFile(kind, books.dataModule.connection(), path,
                                              [](const QString&) {}, {})
                          .records;
        } catch (const ImportError& error) {
            EXPECT_TRUE(error.message().contains("Nothing of this file was imported."))
                << "seed " << seed;
        }
        ASSERT_EQ(books.count("JSEARCH_4"), stored) << "seed " << seed << ", run " << run;
    }
}

}  // namespace
