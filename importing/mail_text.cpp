#include "importing/mail_text.h"

#include <QRegularExpression>

namespace mail_text {

QString copy(const QString& text, int from, int count) {
    if (count <= 0 || from > text.size())
        return QString();
    const int start = std::max(from, 1) - 1;
    return text.mid(start, count);
}

int pos(const QString& part, const QString& text) {
    return text.indexOf(part) + 1;
}

QString trim(const QString& text) {
    int first = 0;
    int last = int(text.size()) - 1;
    while (first <= last && text.at(first).unicode() <= ' ')
        ++first;
    while (last >= first && text.at(last).unicode() <= ' ')
        --last;
    return text.mid(first, last - first + 1);
}

QString unpadded(const QVariant& value) {
    QString text = value.toString();
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

// Only letters whose capital Windows-1252 also holds are changed, so that a
// text that could be stored still can.
QString upper(const QString& text) {
    QString capitals = text;
    for (QChar& character : capitals) {
        const char16_t code = character.unicode();
        if ((code >= u'a' && code <= u'z') || (code >= 0xE0 && code <= 0xFE && code != 0xF7))
            character = QChar(char16_t(code - 0x20));
        else if (code == 0x161 || code == 0x153 || code == 0x17E)
            character = QChar(char16_t(code - 1));  // š œ ž
        else if (code == 0xFF)
            character = QChar(char16_t(0x178));  // ÿ
    }
    return capitals;
}

QString Tokens::next(const QString& delimiters) {
    const QString stops = delimiters + QStringLiteral("\r\n");
    while (at_ < text_.size() && stops.contains(text_.at(at_)))
        ++at_;
    const int start = at_;
    while (at_ < text_.size() && !stops.contains(text_.at(at_)))
        ++at_;
    const QString token = text_.mid(start, at_ - start);
    if (at_ < text_.size())
        ++at_;  // the delimiter that ended the token
    return token;
}

QString monthNumber(const QString& token) {
    static const QStringList kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const int month = int(kMonths.indexOf(token.left(3)));
    return month < 0 ? token : QStringLiteral("%1").arg(month + 1, 2, 10, QLatin1Char('0'));
}

QDate monthDayYear(const QString& text) {
    static const QRegularExpression kDate(
        QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{1,4})\\s*$"));
    const QRegularExpressionMatch match = kDate.match(text);
    if (!match.hasMatch())
        return QDate();
    int year = match.captured(3).toInt();
    if (match.captured(3).size() <= 2) {
        const int thisYear = QDate::currentDate().year();
        year += thisYear / 100 * 100;
        if (year > thisYear + 49)
            year -= 100;
        else if (year < thisYear - 50)
            year += 100;
    }
    return QDate(year, match.captured(1).toInt(), match.captured(2).toInt());
}

}  // namespace mail_text
