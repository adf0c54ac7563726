#include "worksearch/weekly_log_report.h"

#include "datastore/table_names.h"
#include "jobsearch/job_search_rules.h"
#include "platform/kbx.h"
#include "reports/report_text.h"

#include <QLocale>

#include <algorithm>

namespace weekly_log_report {

namespace {

using namespace worksearch;

const QString kContactIndent = QStringLiteral("  ");
const QString kDetailIndent = QStringLiteral("      ");

QString dateText(const QDate& date) {
    return kbx::_kbx_Date_To_MM_DD_YYYY(QDateTime(date, QTime(), Qt::UTC));
}

QString countedText(const WeekRules& rules) {
    if (rules.countSubmitted && rules.countFollowUps)
        return QStringLiteral("APPLICATIONS SUBMITTED AND FOLLOW-UPS");
    if (rules.countSubmitted)
        return QStringLiteral("APPLICATIONS SUBMITTED");
    if (rules.countFollowUps)
        return QStringLiteral("FOLLOW-UPS");
    return QStringLiteral("NOTHING");
}

QStringList headingLines(const WeeklyLog& log) {
    const QString day = QLocale::c().dayName(log.rules.weekStart).toUpper();
    const bool noneBegun = log.askedTo.isValid() && log.to < log.from;
    QStringList lines{QStringLiteral("WEEKLY WORK SEARCH LOG FROM %1 TO %2")
                          .arg(dateText(log.from), dateText(noneBegun ? log.askedTo : log.to)),
                      QStringLiteral("WEEKS START ON %1; %2 CONTACTS REQUIRED EACH WEEK")
                          .arg(day)
                          .arg(log.rules.requiredPerWeek)};
    if (noneBegun)
        lines << QStringLiteral("NO WEEK OF THE PERIOD HAD BEGUN ON %1").arg(dateText(log.to));
    else if (log.askedTo.isValid())
        lines << QStringLiteral("THE PERIOD ASKED FOR RAN TO %1; LATER WEEKS HAD NOT BEGUN")
                     .arg(dateText(log.askedTo));
    if (log.rules.differentEmployers)
        lines << QStringLiteral("EACH CONTACT OF A WEEK WITH A DIFFERENT EMPLOYER");
    return lines << QStringLiteral("COUNTED AS CONTACTS: ") + countedText(log.rules) << QString();
}

// The user's name and address, laid out as the payments report lays out
// the person making payments.
QStringList personLines(const QHash<QString, QString>& configuration) {
    namespace names = columns::configuration;
    const QString indent(27, QLatin1Char(' '));
    return {QStringLiteral("PERSON SEEKING WORK      : ") + configuration.value(names::myName),
            indent + configuration.value(names::myAddress),
            indent + report_text::cityLine(configuration.value(names::myCity),
                                           configuration.value(names::myState),
                                           configuration.value(names::myZip)),
            QString()};
}

QString placeText(const Contact& contact) {
    const QString city = contact.city.trimmed(), state = contact.state.trimmed();
    if (city.isEmpty() || state.isEmpty())
        return city + state;
    return city + QStringLiteral(", ") + state;
}

// Whether `text` has no blank at either end, no run of blanks and no other
// white space: the words of most fields, which then need no splitting.
bool isSimplified(const QString& text) {
    if (text.front() == QLatin1Char(' ') || text.back() == QLatin1Char(' '))
        return false;
    QChar previous;
    for (const QChar each : text) {
        if (each.isSpace() && (each != QLatin1Char(' ') || previous == QLatin1Char(' ')))
            return false;
        previous = each;
    }
    return true;
}

// `text` in lines of at most kLineWidth characters, the first starting
// with `lead`, the rest indented as far as the text after it.
// Appended to `lines`.
void appendWrapped(QStringList& lines, const QString& lead, const QString& text) {
    const int room = std::max(1, kLineWidth - static_cast<int>(lead.size()));
    if (!text.isEmpty() && text.size() <= room && isSimplified(text)) {
        lines << lead + text;
        return;
    }
    const QString indent(lead.size(), QLatin1Char(' '));
    const qsizetype first = lines.size();
    QString line;
    const auto flush = [&] {
        lines << (lines.size() == first ? lead : indent) + line;
        line.clear();
    };
    for (QString word : text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > room)
            flush();
        while (word.size() > room) {
            if (!line.isEmpty())
                flush();
            line = word.left(room);
            word = word.mid(room);
            flush();
        }
        if (!word.isEmpty())
            line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty() || lines.size() == first)
        flush();
    for (qsizetype each = first; each < lines.size(); ++each)
        while (lines[each].endsWith(QLatin1Char(' ')))
            lines[each].chop(1);
}

QString methodText(const Contact& contact) {
    return job_search::isTrue(contact.email) ? QStringLiteral("E-MAIL") : QStringLiteral("OTHER ");
}

// The date, time, method and name, then the position, the place and any
// comment on lines of their own.
void appendContact(QStringList& lines, const Contact& contact, const QString& date) {
    static const QString position = kDetailIndent + QStringLiteral("POSITION: ");
    static const QString place = kDetailIndent + QStringLiteral("PLACE   : ");
    static const QString comment = kDetailIndent + QStringLiteral("COMMENT : ");
    const QString lead = kContactIndent + date + QStringLiteral("  ") +
                         contact.time.leftJustified(5) + QStringLiteral("  ") +
                         methodText(contact) + QStringLiteral("  ");
    appendWrapped(lines, lead, contact.contactName.trimmed());
    appendWrapped(lines, position, contact.title.trimmed());
    appendWrapped(lines, place, placeText(contact));
    if (!contact.comment.trimmed().isEmpty())
        appendWrapped(lines, comment, contact.comment.trimmed());
}

void appendWeek(QStringList& lines, const Week& week) {
    QString heading =
        QStringLiteral("WEEK OF %1 TO %2").arg(dateText(week.first), dateText(week.last));
    if (week.partOfPeriod)
        heading += QStringLiteral(" (part of the period)");
    lines << heading << QString(heading.size(), QLatin1Char('-'));
    QDate day;
    QString dayText;
    for (const Contact& contact : week.counted) {
        if (*contact.date != day)
            dayText = dateText(day = *contact.date);
        appendContact(lines, contact, dayText);
    }
    if (!week.counted.empty())
        lines << kContactIndent +
                     QStringLiteral("COUNTED %1 OF %2").arg(week.counted.size()).arg(week.required);
    lines << kContactIndent + verdictLine(week) << QString();
}

QStringList totalLines(const WeeklyLog& log) {
    return {QStringLiteral("WEEKS MET      : %1").arg(log.weeksMet),
            QStringLiteral("WEEKS SHORT    : %1").arg(log.weeksShort),
            QStringLiteral("CONTACTS IN ALL: %1").arg(log.contacts)};
}

}  // namespace

QString verdictLine(const Week& week) {
    const QString verdict =
        week.met() ? QStringLiteral("MET") : QStringLiteral("SHORT BY %1").arg(week.shortBy());
    if (week.counted.empty())
        return QStringLiteral("NO CONTACTS ") + QChar(0x2013) + QLatin1Char(' ') + verdict;
    return verdict;
}

QStringList build(const WeeklyLog& log, const QHash<QString, QString>& configuration) {
    QStringList lines{QString()};
    lines << report_text::bannerLines() << QString() << QString() << headingLines(log)
          << personLines(configuration);
    for (const Week& week : log.weeks)
        appendWeek(lines, week);
    return lines << totalLines(log);
}

}  // namespace weekly_log_report
