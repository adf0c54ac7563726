#include "importing/line_reader.h"
#include "importing/mail_text.h"
#include "tests/support/printers.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

QStringList piecesOf(const QByteArray& bytes) {
    QBuffer input;
    input.setData(bytes);
    input.open(QIODevice::ReadOnly);
    LineReader reader(input);
    QStringList pieces{reader.line()};  // the first pass sees the empty buffer
    while (reader.read())
        pieces.append(QStringLiteral("%1:%2").arg(reader.lineNumber()).arg(reader.line()));
    pieces.append(QStringLiteral("end:") + reader.line());  // kept at the end
    return pieces;
}

TEST(LineReader, ReadsAtMost131CharactersWithTheLineEndKept) {
    const QByteArray longLine(200, 'x');
    EXPECT_EQ(piecesOf(longLine + "\r\nlast"),
              QStringList({"", "1:" + QString(131, 'x'), "1:" + QString(69, 'x') + "\n", "2:last",
                           "end:last"}));
    // 130 characters and the line end fill one read; the CR of a pair is not counted.
    EXPECT_EQ(piecesOf(QByteArray(130, 'y') + "\r\n").value(1), "1:" + QString(130, 'y') + "\n");
    EXPECT_EQ(piecesOf("\n"), QStringList({"", "1:\n", "end:\n"}));
    EXPECT_EQ(piecesOf("caf\xe9\n"), QStringList({"", "1:caf\u00e9\n", "end:caf\u00e9\n"}));
}

TEST(MailText, TokensSplitAsStrtokWithoutTheLineEnd) {
    mail_text::Tokens tokens("Sent: December 01, 2003\n");
    EXPECT_EQ(tokens.next(" "), "Sent:");
    EXPECT_EQ(tokens.next(" "), "December");
    EXPECT_EQ(tokens.next(","), "01");
    EXPECT_EQ(tokens.next(" "), "2003");
    EXPECT_EQ(tokens.next(" "), "");
    EXPECT_EQ(mail_text::monthNumber("February"), "02");
    EXPECT_EQ(mail_text::monthNumber("february"), "february");
    EXPECT_EQ(mail_text::monthDayYear("02/29/2004"), QDate(2004, 2, 29));
    EXPECT_FALSE(mail_text::monthDayYear("Monday/01/2003").isValid());
    EXPECT_FALSE(mail_text::monthDayYear("//").isValid());
    EXPECT_EQ(mail_text::upper("o'fallon caf\u00e9 \u00b5"), "O'FALLON CAF\u00c9 \u00b5");
}

}  // namespace
