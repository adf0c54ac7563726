#include "obligations/arrears_report.h"

#include "platform/kbx.h"
#include "reports/report_text.h"

namespace arrears_report {

namespace {

using namespace obligations;
using report_text::Cell;

constexpr int kGap = 2;
constexpr int kDateWidth = 10;
constexpr int kAmountWidth = 12;
constexpr int kCheckWidth = 7;
constexpr int kDaysWidth = 9;
constexpr int kMonthWidth = 7;

QString dateText(const QDate& date) {
    // In UTC: a local time would look up the time zone for every cell.
    return kbx::_kbx_Date_To_MM_DD_YYYY(QDateTime(date, QTime(), Qt::UTC));
}

// Dates and numbers stand right in their cells; an absent one prints as a
// run of the fill, as in the payments report.
Cell dateCell(const std::optional<QDate>& date, int width = kDateWidth) {
    return {date ? dateText(*date) : QString(), width, "_", "Y"};
}

Cell amountCell(qint64 cents, const QString& fill = QStringLiteral("_")) {
    return {report_text::centsText(cents), kAmountWidth, fill, "Y"};
}

Cell labelCell(const QString& label) {
    return {label, kDateWidth, " ", "Y"};
}

Cell headingCell(const QString& heading, int width) {
    return {heading, width, "_", "Y"};
}

// A rule of hyphens under each heading, as long as the heading.
std::vector<Cell> ruleCells(std::vector<Cell> headings) {
    for (Cell& cell : headings)
        if (cell.fill == QLatin1String("_"))
            cell.text = QString(cell.text.size(), QLatin1Char('-'));
    return headings;
}

QString balanceWords(qint64 cents) {
    if (cents > 0)
        return QStringLiteral("ARREARS ") + report_text::centsText(cents);
    if (cents < 0)
        return QStringLiteral("CREDIT ") + report_text::centsText(-cents);
    return QStringLiteral("NOTHING OWED");
}

QString countedOnText(CountingDate counting) {
    switch (counting) {
        case CountingDate::Sent:
            return QStringLiteral("PAYMENTS COUNTED ON THEIR DATE SENT");
        case CountingDate::Delivered:
            return QStringLiteral("PAYMENTS COUNTED ON THEIR DATE DELIVERED");
        case CountingDate::Cleared:
            break;
    }
    return QStringLiteral("PAYMENTS COUNTED ON THEIR DATE CLEARED");
}

QStringList headingLines(const QDate& from, const QDate& to, CountingDate counting) {
    return {QStringLiteral("ARREARS STATEMENT FROM %1 TO %2").arg(dateText(from), dateText(to)),
            countedOnText(counting), QString()};
}

std::vector<Cell> amountHeadings() {
    return {headingCell("DUE DATE", kDateWidth), headingCell("AMOUNT DUE", kAmountWidth),
            headingCell("PAID IN FULL", kAmountWidth), headingCell("DAYS LATE", kDaysWidth),
            headingCell("BALANCE OWED", kAmountWidth)};
}

std::vector<Cell> paymentHeadings(const QString& amountHeading) {
    return {labelCell(QString()), headingCell("ITEM DATE", kDateWidth),
            headingCell("CHECK #", kCheckWidth), headingCell(amountHeading, kAmountWidth),
            headingCell("COUNTED ON", kDateWidth)};
}

// The two heading lines of the amounts due and of the payments under them,
// and the rule.
QStringList amountTableHeadings() {
    return {report_text::tableLine(amountHeadings(), kGap),
            report_text::tableLine(paymentHeadings("APPLIED"), kGap),
            report_text::tableLine(ruleCells(amountHeadings()), kGap)};
}

QString amountLine(const AmountDue& amount) {
    return report_text::tableLine(
        {dateCell(amount.dueDate),
         amountCell(amount.amount),
         dateCell(amount.paidInFull, kAmountWidth),
         {amount.daysLate ? QString::number(*amount.daysLate) : QString(), kDaysWidth, "_", "Y"},
         amountCell(amount.balanceAfter)},
        kGap);
}

QString paymentLine(const QString& label, const AppliedPayment& part) {
    return report_text::tableLine({labelCell(label),
                                   dateCell(part.itemDate),
                                   {part.checkNumber, kCheckWidth, "_", "Y"},
                                   amountCell(part.amount),
                                   dateCell(part.countedOn)},
                                  kGap);
}

void appendAmounts(QStringList& lines, const KindStatement& kind, const QDate& from,
                   const QDate& to) {
    bool earlier = false, inPeriod = false;
    for (const AmountDue& amount : kind.amountsDue) {
        if (amount.dueBeforePeriod && !earlier)
            lines << QStringLiteral("DUE BEFORE %1 AND STILL OWED THEN:").arg(dateText(from));
        if (!amount.dueBeforePeriod && !inPeriod)
            lines << QStringLiteral("DUE FROM %1 TO %2:").arg(dateText(from), dateText(to));
        earlier = earlier || amount.dueBeforePeriod;
        inPeriod = inPeriod || !amount.dueBeforePeriod;
        lines << amountLine(amount);
        for (const AppliedPayment& part : amount.applied)
            lines << paymentLine(QString(), part);
    }
    if (!kind.credit.empty())
        lines << QStringLiteral("PAID BEYOND EVERY AMOUNT DUE:");
    for (const AppliedPayment& part : kind.credit)
        lines << paymentLine(QStringLiteral("CREDIT"), part);
}

QStringList nothingDueLines(const Obligation& obligation) {
    QString terms = report_text::centsText(obligation.amount) + QLatin1Char(' ') +
                    frequencyName(obligation.frequency).toUpper();
    if (obligation.frequency == Frequency::Once)
        terms += QStringLiteral(" ON ") + dateText(obligation.firstDue);
    else
        terms += QStringLiteral(" FROM ") + dateText(obligation.firstDue);
    if (obligation.lastDue && obligation.frequency != Frequency::Once)
        terms += QStringLiteral(" TO ") + dateText(*obligation.lastDue);
    QStringList lines{QStringLiteral("  ") + terms};
    if (!obligation.orderReference.isEmpty())
        lines << QStringLiteral("    ORDER ") + obligation.orderReference;
    return lines << QStringLiteral("    nothing due in this period");
}

QString uncountedLine(const Payment& payment, Kind kind, const QString& why) {
    return report_text::tableLine({labelCell(QString()),
                                   dateCell(payment.itemDate),
                                   {payment.checkNumber, kCheckWidth, "_", "Y"},
                                   amountCell(payment.amount(kind))},
                                  kGap) +
           why;
}

QStringList uncountedLines(const KindStatement& kind) {
    if (kind.returned.empty() && kind.notYetCounted.empty())
        return {};
    std::vector<Cell> headings = paymentHeadings("AMOUNT");
    headings.pop_back();
    QStringList lines{QStringLiteral("PAYMENTS NOT COUNTED:"),
                      report_text::tableLine(headings, kGap),
                      report_text::tableLine(ruleCells(headings), kGap)};
    for (const Payment& payment : kind.returned)
        lines << uncountedLine(payment, kind.kind,
                               payment.returned
                                   ? QStringLiteral("returned on ") + dateText(*payment.returned)
                                   : QStringLiteral("returned"));
    for (const Payment& payment : kind.notYetCounted)
        lines << uncountedLine(payment, kind.kind, QStringLiteral("not yet counted"));
    return lines << QString();
}

QStringList monthLines(const std::vector<MonthTotals>& months) {
    const std::vector<Cell> headings = {
        headingCell("MONTH", kMonthWidth), headingCell("TOTAL DUE", kAmountWidth),
        headingCell("TOTAL PAID", kAmountWidth), headingCell("BALANCE OWED", kAmountWidth)};
    QStringList lines{report_text::tableLine(headings, kGap),
                      report_text::tableLine(ruleCells(headings), kGap)};
    qint64 due = 0, paid = 0, balance = 0;
    for (const MonthTotals& month : months) {
        due += month.due;
        paid += month.paid;
        balance = month.balance;
        const QString name = QStringLiteral("%1/%2")
                                 .arg(month.month, 2, 10, QLatin1Char('0'))
                                 .arg(month.year, 4, 10, QLatin1Char('0'));
        lines << report_text::tableLine({{name, kMonthWidth, "_", "Y"},
                                         amountCell(month.due),
                                         amountCell(month.paid),
                                         amountCell(month.balance)},
                                        kGap);
    }
    lines << report_text::tableLine(ruleCells(headings), kGap);
    return lines << report_text::tableLine({{QStringLiteral("TOTALS:"), kMonthWidth, " ", "Y"},
                                            amountCell(due, " "),
                                            amountCell(paid, " "),
                                            amountCell(balance, " ")},
                                           kGap)
                 << QString();
}

QStringList kindLines(const KindStatement& kind, const QDate& from, const QDate& to) {
    const QString title =
        statementName(kind.kind) + QStringLiteral(" (") + paymentColumn(kind.kind) + ')';
    QStringList lines{
        title, QString(title.size(), QLatin1Char('=')),
        QStringLiteral("BALANCE BROUGHT FORWARD: ") + balanceWords(kind.balanceBroughtForward),
        QString()};
    if (!kind.amountsDue.empty() || !kind.credit.empty()) {
        lines << amountTableHeadings();
        appendAmounts(lines, kind, from, to);
        lines << QString();
    }
    for (const Obligation& obligation : kind.nothingDueInPeriod)
        lines << nothingDueLines(obligation) << QString();
    lines << uncountedLines(kind) << monthLines(kind.months);
    return lines << balanceLine(to, kind.balanceAtEnd)
                 << QStringLiteral("AMOUNTS PAID LATE: %1").arg(kind.paidLate)
                 << QStringLiteral("LARGEST NUMBER OF DAYS LATE: %1").arg(kind.mostDaysLate)
                 << QString();
}

}  // namespace

QString balanceLine(const QDate& on, qint64 cents) {
    return QStringLiteral("BALANCE ON ") + dateText(on) + QStringLiteral(": ") +
           balanceWords(cents);
}

QStringList build(const ArrearsStatement& statement, const QHash<QString, QString>& configuration) {
    QStringList lines{QString()};
    lines << report_text::bannerLines() << QString() << QString()
          << headingLines(statement.from, statement.to, statement.counting)
          << report_text::paymentPartiesLines(configuration);
    if (statement.kinds.empty())
        lines << QStringLiteral("NO SUPPORT OBLIGATION IS RECORDED.") << QString();
    for (const KindStatement& kind : statement.kinds)
        lines << kindLines(kind, statement.from, statement.to);
    return lines << QStringLiteral("No interest is included.");
}

}  // namespace arrears_report
