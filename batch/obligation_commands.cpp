#include "batch/obligation_commands.h"

#include "reports/report_text.h"

#include "obligations/named_values.h"
#include "obligations/obligation_store.h"

#include <QRegularExpression>

#include <array>
#include <utility>
#include <vector>

namespace batch {
namespace {

using obligations::Frequency;
using obligations::Kind;
using obligations::Obligation;

constexpr obligations::NamedValues<Kind, 4> kKindWords = {{
    {Kind::SpousalSupport, "spousal"},
    {Kind::RetiredPay, "retired"},
    {Kind::ChildSupport, "child"},
    {Kind::Other, "other"},
}};

constexpr obligations::NamedValues<Frequency, 6> kFrequencyWords = {{
    {Frequency::Weekly, "weekly"},
    {Frequency::EveryTwoWeeks, "biweekly"},
    {Frequency::TwiceAMonth, "semimonthly"},
    {Frequency::Monthly, "monthly"},
    {Frequency::Yearly, "yearly"},
    {Frequency::Once, "once"},
}};

std::optional<int> dayOfMonth(const QString& text) {
    static const QRegularExpression digits(QStringLiteral("^\\d{1,2}$"));
    const int day = text.toInt();
    if (!digits.match(text).hasMatch() || day < 1 || day > 31)
        return std::nullopt;
    return day;
}

// The due days of --day and --days, checked against the frequency.
QString readDays(const Options& words, Obligation& obligation) {
    const bool twiceAMonth = obligation.frequency == Frequency::TwiceAMonth;
    if (words.values.contains(QStringLiteral("--days"))) {
        const QString days = words.values.value(QStringLiteral("--days"));
        if (!twiceAMonth)
            return QStringLiteral("obligation add --days is for --every semimonthly only.");
        const QStringList pair = days.split(QLatin1Char(','));
        const std::optional<int> first = dayOfMonth(pair.value(0));
        const std::optional<int> second = dayOfMonth(pair.value(1));
        if (pair.size() != 2 || !first || !second)
            return QStringLiteral(
                       "obligation add --days %1: not two days of the month from 1 to 31, as 1,15.")
                .arg(days);
        obligation.dueDay = *first;
        obligation.secondDueDay = *second;
    } else if (twiceAMonth) {
        return QStringLiteral("obligation add --every semimonthly needs --days N,M.");
    }
    if (words.values.contains(QStringLiteral("--day"))) {
        const QString day = words.values.value(QStringLiteral("--day"));
        if (obligation.frequency != Frequency::Monthly)
            return QStringLiteral("obligation add --day is for --every monthly only.");
        if (!dayOfMonth(day))
            return QStringLiteral("obligation add --day %1: not a day of the month from 1 to 31.")
                .arg(day);
        obligation.dueDay = *dayOfMonth(day);
    }
    return {};
}

// What is wrong with the options, or an empty text with `obligation` read.
QString readObligation(const Options& words, Obligation& obligation) {
    const QString kind = words.values.value(QStringLiteral("--kind"));
    const QString amount = words.values.value(QStringLiteral("--amount"));
    const QString every = words.values.value(QStringLiteral("--every"));
    if (words.operands != QStringList{QStringLiteral("add")} || kind.isEmpty() ||
        amount.isEmpty() || every.isEmpty() || !words.from.isValid())
        return QStringLiteral("obligation add takes --kind, --amount, --every and --from.");
    const std::optional<Kind> kindNamed = obligations::valueNamed(kKindWords, kind);
    if (!kindNamed)
        return QStringLiteral("obligation add --kind %1: not spousal, retired, child or other.")
            .arg(kind);
    const std::optional<qint64> cents = obligations::centsOfText(amount);
    if (!cents)
        return QStringLiteral(
                   "obligation add --amount %1: not an amount with at most two decimals, as "
                   "1400.00.")
            .arg(amount);
    const std::optional<Frequency> frequency = obligations::valueNamed(kFrequencyWords, every);
    if (!frequency)
        return QStringLiteral(
                   "obligation add --every %1: not weekly, biweekly, semimonthly, monthly, yearly "
                   "or once.")
            .arg(every);
    obligation.kind = *kindNamed;
    obligation.amount = *cents;
    obligation.frequency = *frequency;
    obligation.firstDue = words.from;
    if (words.to.isValid())
        obligation.lastDue = words.to;
    obligation.orderReference = words.values.value(QStringLiteral("--order"));
    const QString wrongDays = readDays(words, obligation);
    if (!wrongDays.isEmpty())
        return wrongDays;
    const QString problem = obligations::problemWith(obligation);
    return problem.isEmpty() ? QString() : QStringLiteral("obligation add: ") + problem;
}

QString daysText(const Obligation& obligation) {
    if (obligation.frequency == Frequency::TwiceAMonth)
        return QStringLiteral("%1,%2").arg(obligation.dueDay).arg(obligation.secondDueDay);
    if (obligation.frequency == Frequency::Monthly)
        return QString::number(obligation.dueDay != 0 ? obligation.dueDay
                                                      : obligation.firstDue.day());
    return {};
}

// The columns of the list, each field cut or padded to its width.
QString line(const QString& key, const QString& kind, const QString& amount, const QString& every,
             const QString& days, const QString& firstDue, const QString& lastDue,
             const QString& order) {
    const QStringList fields = {key.rightJustified(5),     kind.leftJustified(15, u' ', true),
                                amount.rightJustified(12), every.leftJustified(11),
                                days.leftJustified(5),     firstDue.leftJustified(10),
                                lastDue.leftJustified(10), order};
    QString joined = fields.join(QStringLiteral("  "));
    while (joined.endsWith(QLatin1Char(' ')))
        joined.chop(1);
    return joined;
}

const QString kHeading =
    line(QStringLiteral("ID"), QStringLiteral("KIND"), QStringLiteral("AMOUNT"),
         QStringLiteral("EVERY"), QStringLiteral("DAYS"), QStringLiteral("FIRST DUE"),
         QStringLiteral("LAST DUE"), QStringLiteral("ORDER"));

// A reference that holds a line break still takes one line.
QString oneLine(QString text) {
    return text.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QString lineOf(const Obligation& obligation) {
    return line(
        QString::number(obligation.key.value_or(0)), obligations::statementName(obligation.kind),
        report_text::centsText(obligation.amount),
        obligations::nameOf(kFrequencyWords, obligation.frequency), daysText(obligation),
        obligation.firstDue.toString(Qt::ISODate),
        obligation.lastDue ? obligation.lastDue->toString(Qt::ISODate) : QStringLiteral("open"),
        oneLine(obligation.orderReference));
}

}  // namespace

std::optional<Obligation> obligationOf(const Options& words, QString& wrong) {
    Obligation obligation;
    wrong = readObligation(words, obligation);
    if (!wrong.isEmpty())
        return std::nullopt;
    return obligation;
}

int addObligation(const QSqlDatabase& connection, const Obligation& obligation, QTextStream& out) {
    const Obligation added = obligations::add(connection, obligation);
    out << kHeading << '\n' << lineOf(added) << '\n';
    return 0;
}

int listObligations(const QSqlDatabase& connection, QTextStream& out) {
    out << kHeading << '\n';
    for (const Obligation& obligation : obligations::loadAll(connection))
        out << lineOf(obligation) << '\n';
    return 0;
}

}  // namespace batch
