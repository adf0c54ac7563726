#include "obligations/obligation.h"

#include <QRegularExpression>

namespace obligations {

QString paymentColumn(Kind kind) {
    switch (kind) {
        case Kind::SpousalSupport:
            return QStringLiteral("SS_AMT");
        case Kind::RetiredPay:
            return QStringLiteral("RP_AMT");
        case Kind::ChildSupport:
            return QStringLiteral("CS_AMT");
        case Kind::Other:
            break;
    }
    return QStringLiteral("OTHER_AMT");
}

QString statementName(Kind kind) {
    switch (kind) {
        case Kind::SpousalSupport:
            return QStringLiteral("SPOUSAL SUPPORT");
        case Kind::RetiredPay:
            return QStringLiteral("RETIRED PAY");
        case Kind::ChildSupport:
            return QStringLiteral("CHILD SUPPORT");
        case Kind::Other:
            break;
    }
    return QStringLiteral("OTHER");
}

QString frequencyName(Frequency frequency) {
    switch (frequency) {
        case Frequency::Weekly:
            return QStringLiteral("Weekly");
        case Frequency::EveryTwoWeeks:
            return QStringLiteral("Every two weeks");
        case Frequency::TwiceAMonth:
            return QStringLiteral("Twice a month");
        case Frequency::Monthly:
            return QStringLiteral("Monthly");
        case Frequency::Yearly:
            return QStringLiteral("Yearly");
        case Frequency::Once:
            break;
    }
    return QStringLiteral("Once");
}

std::optional<qint64> centsOfText(const QString& text) {
    static const QRegularExpression amount(QStringLiteral("^(\\d{1,8})(?:\\.(\\d{1,2}))?$"));
    const QRegularExpressionMatch match = amount.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toLongLong() * 100 +
           match.captured(2).leftJustified(2, QLatin1Char('0')).toLongLong();
}

namespace {

bool isDayOfMonth(int day) {
    return day >= 1 && day <= 31;
}

QString problemWithDays(const Obligation& obligation) {
    if (obligation.frequency == Frequency::Monthly && obligation.dueDay != 0 &&
        !isDayOfMonth(obligation.dueDay))
        return QStringLiteral("The due day must be from 1 to 31.");
    if (obligation.frequency == Frequency::TwiceAMonth &&
        (!isDayOfMonth(obligation.dueDay) || !isDayOfMonth(obligation.secondDueDay) ||
         obligation.dueDay == obligation.secondDueDay))
        return QStringLiteral("Twice a month needs two different due days from 1 to 31.");
    return {};
}

}  // namespace

QString problemWith(const Obligation& obligation) {
    if (obligation.amount < 0)
        return QStringLiteral("The amount must not be negative.");
    if (!obligation.firstDue.isValid())
        return QStringLiteral("The first due date is missing.");
    if (obligation.lastDue && *obligation.lastDue < obligation.firstDue)
        return QStringLiteral("The last due date is before the first.");
    return problemWithDays(obligation);
}

}  // namespace obligations
