#include "obligations/obligation.h"

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
