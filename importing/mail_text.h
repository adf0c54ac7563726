#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

// The text operations the importers' rules are written in. Positions count
// characters from 1, as the rules do; a part beyond the text is empty.
namespace mail_text {

// `count` characters from character `from` on (fewer at the end of the
// text; none when `count` is not positive).
QString copy(const QString& text, int from, int count);
// The position of the first `part` in `text`, or 0.
int pos(const QString& part, const QString& text);
// The text without leading and trailing blanks and control characters.
QString trim(const QString& text);
// A CHAR column's text without the blanks that pad it.
QString unpadded(const QVariant& value);
// The text in capitals.
QString upper(const QString& text);

// Splits a text the way C's strtok does: each token starts after any
// delimiters and ends before the next one, which is consumed. A line end is
// never part of a token. A token that is missing is empty.
class Tokens {
public:
    explicit Tokens(const QString& text) : text_(text) {}
    QString next(const QString& delimiters);

private:
    QString text_;
    int at_ = 0;
};

// "01" to "12" for a month whose first three characters are "Jan" to "Dec"
// (case-sensitive); any other token unchanged.
QString monthNumber(const QString& token);

// The date of a month/day/year text ("12/01/2003", "2/29/2004"), read so
// whatever the machine's date format; an invalid date when it is not one. A
// two-digit year lies within 50 years around this year.
QDate monthDayYear(const QString& text);

}  // namespace mail_text
