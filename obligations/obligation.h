#pragma once

#include <QDate>
#include <QString>

#include <array>
#include <optional>

// A support obligation of an order as a value: what is due, how much, how
// often and from when. A change of the order is a second obligation from the
// change date, the first one ending the day before.
namespace obligations {

// Which payment amount column pays an obligation.
enum class Kind { SpousalSupport, RetiredPay, ChildSupport, Other };
inline constexpr std::array<Kind, 4> kKinds = {Kind::SpousalSupport, Kind::RetiredPay,
                                               Kind::ChildSupport, Kind::Other};

// The payment column a kind is paid through: SS_AMT, RP_AMT, CS_AMT, OTHER_AMT.
QString paymentColumn(Kind kind);
// The kind's name on the statement: SPOUSAL SUPPORT, RETIRED PAY, CHILD SUPPORT, OTHER.
QString statementName(Kind kind);

enum class Frequency { Weekly, EveryTwoWeeks, TwiceAMonth, Monthly, Yearly, Once };
inline constexpr std::array<Frequency, 6> kFrequencies = {
    Frequency::Weekly,  Frequency::EveryTwoWeeks, Frequency::TwiceAMonth,
    Frequency::Monthly, Frequency::Yearly,        Frequency::Once};
// A frequency's name: "Weekly", "Every two weeks", "Twice a month",
// "Monthly", "Yearly", "Once".
QString frequencyName(Frequency frequency);

// "1400", "1400.5" or "1400.00" in exact cents: at most two decimals, and no
// more than an amount column holds; nothing for anything else.
std::optional<qint64> centsOfText(const QString& text);

struct Obligation {
    std::optional<qint64> key;
    Kind kind = Kind::ChildSupport;
    qint64 amount = 0;  // cents, due on each due date
    Frequency frequency = Frequency::Monthly;
    // The day of the month a monthly obligation is due on, and the two days
    // of one due twice a month; 0 for a monthly one means the first due
    // date's day. A day past a month's end falls on its last day.
    int dueDay = 0;
    int secondDueDay = 0;
    QDate firstDue;
    std::optional<QDate> lastDue;
    QString orderReference;
    QString memo;

    bool operator==(const Obligation&) const = default;
};

// Why an obligation cannot be kept as it is, or an empty text when it can:
// an amount not negative (0 while an order suspends support), a first due
// date, a last one not before it, due days within a month, and two
// different days for twice a month.
QString problemWith(const Obligation& obligation);

}  // namespace obligations
