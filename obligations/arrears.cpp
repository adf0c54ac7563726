#include "obligations/arrears.h"

#include "obligations/schedule.h"

#include <algorithm>

namespace obligations {

qint64 Payment::amount(Kind kind) const {
    switch (kind) {
        case Kind::SpousalSupport:
            return spousalSupport;
        case Kind::RetiredPay:
            return retiredPay;
        case Kind::ChildSupport:
            return childSupport;
        case Kind::Other:
            break;
    }
    return other;
}

std::optional<QDate> Payment::countingDate(CountingDate counting) const {
    switch (counting) {
        case CountingDate::Sent:
            return sent;
        case CountingDate::Delivered:
            return delivered;
        case CountingDate::Cleared:
            break;
    }
    return cleared;
}

namespace {

struct Due {
    QDate date;
    qint64 amount = 0;
};

struct Counted {
    const Payment* payment = nullptr;
    QDate date;
    qint64 amount = 0;
};

// A kind's amounts due and counted payments up to the end date, each in
// date order with its running total: the cents due or paid up to and
// including each one.
struct Ledger {
    std::vector<Due> dues;
    std::vector<Counted> paid;
    std::vector<qint64> dueTotals, paidTotals;

    qint64 dueBefore(std::size_t i) const { return i == 0 ? 0 : dueTotals[i - 1]; }
    qint64 paidBefore(std::size_t k) const { return k == 0 ? 0 : paidTotals[k - 1]; }
    qint64 totalDue() const { return dueTotals.empty() ? 0 : dueTotals.back(); }
    qint64 totalPaid() const { return paidTotals.empty() ? 0 : paidTotals.back(); }
};

template <typename Entry>
std::vector<qint64> runningTotals(const std::vector<Entry>& entries) {
    std::vector<qint64> totals;
    totals.reserve(entries.size());
    qint64 total = 0;
    for (const Entry& entry : entries)
        totals.push_back(total += entry.amount);
    return totals;
}

// How many entries fall before `date` (or on it, with `including`).
template <typename Entry>
std::size_t countUpTo(const std::vector<Entry>& entries, const QDate& date, bool including) {
    const auto end =
        including ? std::upper_bound(entries.begin(), entries.end(), date,
                                     [](const QDate& d, const Entry& e) { return d < e.date; })
                  : std::lower_bound(entries.begin(), entries.end(), date,
                                     [](const Entry& e, const QDate& d) { return e.date < d; });
    return static_cast<std::size_t>(end - entries.begin());
}

template <typename Entry>
qint64 totalUpTo(const std::vector<Entry>& entries, const std::vector<qint64>& totals,
                 const QDate& date, bool including) {
    const std::size_t count = countUpTo(entries, date, including);
    return count == 0 ? 0 : totals[count - 1];
}

bool byDate(const auto& a, const auto& b) {
    return a.date < b.date;
}

Ledger ledgerOf(Kind kind, const std::vector<Obligation>& obligations,
                const std::vector<Payment>& payments, const QDate& to, CountingDate counting) {
    Ledger ledger;
    for (const Obligation& obligation : obligations) {
        if (obligation.kind != kind)
            continue;
        for (const QDate& date : dueDates(obligation, obligation.firstDue, to))
            ledger.dues.push_back({date, obligation.amount});
    }
    for (const Payment& payment : payments) {
        const std::optional<QDate> date = payment.countingDate(counting);
        if (payment.amount(kind) != 0 && !payment.returned && date && *date <= to)
            ledger.paid.push_back({&payment, *date, payment.amount(kind)});
    }
    std::stable_sort(ledger.dues.begin(), ledger.dues.end(), byDate<Due, Due>);
    std::stable_sort(ledger.paid.begin(), ledger.paid.end(), byDate<Counted, Counted>);
    ledger.dueTotals = runningTotals(ledger.dues);
    ledger.paidTotals = runningTotals(ledger.paid);
    return ledger;
}

AppliedPayment partOf(const Counted& counted, qint64 amount) {
    const Payment& payment = *counted.payment;
    return {payment.key, payment.itemDate, payment.checkNumber, amount, counted.date};
}

// Payment k covers the cents from paidBefore(k) to paidTotals[k] of the
// kind's whole debt laid end to end, amount i the cents from dueBefore(i) to
// dueTotals[i]; what a payment gives an amount is where the two overlap,
// negative for money taken back. Cents beyond every amount due are credit.
void applyPayments(const Ledger& ledger, std::vector<AmountDue>& amounts,
                   std::vector<AppliedPayment>& credit) {
    for (std::size_t k = 0; k < ledger.paid.size(); ++k) {
        const qint64 before = ledger.paidBefore(k), after = ledger.paidTotals[k];
        const qint64 low = std::min(before, after), high = std::max(before, after);
        auto i = static_cast<std::size_t>(
            std::upper_bound(ledger.dueTotals.begin(), ledger.dueTotals.end(), low) -
            ledger.dueTotals.begin());
        for (; i < amounts.size() && ledger.dueBefore(i) < high; ++i) {
            const qint64 start = ledger.dueBefore(i), end = ledger.dueTotals[i];
            const qint64 part = std::clamp(after, start, end) - std::clamp(before, start, end);
            if (part != 0)
                amounts[i].applied.push_back(partOf(ledger.paid[k], part));
        }
        const qint64 total = ledger.totalDue();
        const qint64 extra = std::max(after, total) - std::max(before, total);
        if (extra != 0)
            credit.push_back(partOf(ledger.paid[k], extra));
    }
}

// Amount i is paid in full from the first payment after which the running
// total of payments never again falls below everything due up to amount i.
void markPaidInFull(const Ledger& ledger, std::vector<AmountDue>& amounts) {
    std::vector<qint64> lowestFrom(ledger.paidTotals);
    for (std::size_t k = lowestFrom.size(); k-- > 1;)
        lowestFrom[k - 1] = std::min(lowestFrom[k - 1], lowestFrom[k]);
    for (std::size_t i = 0; i < amounts.size(); ++i) {
        AmountDue& amount = amounts[i];
        if (amount.amount <= 0) {
            amount.paidInFull = amount.dueDate;
        } else {
            const auto covering =
                std::lower_bound(lowestFrom.begin(), lowestFrom.end(), ledger.dueTotals[i]);
            if (covering != lowestFrom.end())
                amount.paidInFull = ledger.paid[covering - lowestFrom.begin()].date;
        }
        if (amount.paidInFull)
            amount.daysLate =
                static_cast<int>(std::max<qint64>(0, amount.dueDate.daysTo(*amount.paidInFull)));
    }
}

std::vector<AmountDue> amountsOf(const Ledger& ledger) {
    std::vector<AmountDue> amounts;
    amounts.reserve(ledger.dues.size());
    for (const Due& due : ledger.dues) {
        AmountDue amount;
        amount.dueDate = due.date;
        amount.amount = due.amount;
        amount.balanceAfter = totalUpTo(ledger.dues, ledger.dueTotals, due.date, true) -
                              totalUpTo(ledger.paid, ledger.paidTotals, due.date, true);
        amounts.push_back(std::move(amount));
    }
    return amounts;
}

// The amounts due in the period, and the older ones still owed when it began.
std::vector<AmountDue> amountsShown(std::vector<AmountDue> amounts, const QDate& from) {
    std::erase_if(amounts, [&](const AmountDue& amount) {
        return amount.dueDate < from && amount.paidInFull && *amount.paidInFull < from;
    });
    for (AmountDue& amount : amounts)
        amount.dueBeforePeriod = amount.dueDate < from;
    return amounts;
}

template <typename Entry>
qint64 totalBetween(const std::vector<Entry>& entries, const std::vector<qint64>& totals,
                    const QDate& first, const QDate& last) {
    return totalUpTo(entries, totals, last, true) - totalUpTo(entries, totals, first, false);
}

std::vector<MonthTotals> monthsOf(const Ledger& ledger, qint64 broughtForward, const QDate& from,
                                  const QDate& to) {
    std::vector<MonthTotals> months;
    qint64 balance = broughtForward;
    for (QDate month(from.year(), from.month(), 1); month <= to; month = month.addMonths(1)) {
        const QDate first = std::max(month, from);
        const QDate last = std::min(month.addMonths(1).addDays(-1), to);
        MonthTotals totals;
        totals.year = month.year();
        totals.month = month.month();
        totals.due = totalBetween(ledger.dues, ledger.dueTotals, first, last);
        totals.paid = totalBetween(ledger.paid, ledger.paidTotals, first, last);
        balance += totals.due - totals.paid;
        totals.balance = balance;
        months.push_back(totals);
    }
    return months;
}

void listUncounted(KindStatement& statement, const std::vector<Payment>& payments,
                   const QDate& from, const QDate& to, CountingDate counting) {
    for (const Payment& payment : payments) {
        if (payment.amount(statement.kind) == 0)
            continue;
        const std::optional<QDate> counted = payment.countingDate(counting);
        if (payment.returned) {
            const std::optional<QDate> placed = counted ? counted : payment.itemDate;
            if (!placed || (*placed >= from && *placed <= to))
                statement.returned.push_back(payment);
        } else if (!counted && (!payment.itemDate || *payment.itemDate <= to)) {
            statement.notYetCounted.push_back(payment);
        }
    }
}

void countLateness(KindStatement& statement) {
    for (const AmountDue& amount : statement.amountsDue) {
        if (amount.daysLate.value_or(0) > 0) {
            ++statement.paidLate;
            statement.mostDaysLate = std::max(statement.mostDaysLate, *amount.daysLate);
        }
    }
}

KindStatement kindStatement(Kind kind, const std::vector<Obligation>& obligations,
                            const std::vector<Payment>& payments, const QDate& from,
                            const QDate& to, CountingDate counting) {
    const Ledger ledger = ledgerOf(kind, obligations, payments, to, counting);
    KindStatement statement;
    statement.kind = kind;
    std::vector<AmountDue> amounts = amountsOf(ledger);
    std::vector<AppliedPayment> credit;
    applyPayments(ledger, amounts, credit);
    markPaidInFull(ledger, amounts);
    statement.amountsDue = amountsShown(std::move(amounts), from);
    std::erase_if(credit, [&](const AppliedPayment& part) { return part.countedOn < from; });
    statement.credit = std::move(credit);
    statement.balanceBroughtForward = totalUpTo(ledger.dues, ledger.dueTotals, from, false) -
                                      totalUpTo(ledger.paid, ledger.paidTotals, from, false);
    statement.months = monthsOf(ledger, statement.balanceBroughtForward, from, to);
    statement.balanceAtEnd = ledger.totalDue() - ledger.totalPaid();
    listUncounted(statement, payments, from, to, counting);
    for (const Obligation& obligation : obligations)
        if (obligation.kind == kind && dueDates(obligation, from, to).empty())
            statement.nothingDueInPeriod.push_back(obligation);
    countLateness(statement);
    return statement;
}

}  // namespace

ArrearsStatement arrearsStatement(const std::vector<Obligation>& obligations,
                                  const std::vector<Payment>& payments, const QDate& from,
                                  const QDate& to, CountingDate counting) {
    ArrearsStatement statement{from, to, counting, {}};
    for (Kind kind : kKinds) {
        const bool ordered = std::any_of(obligations.begin(), obligations.end(),
                                         [&](const Obligation& o) { return o.kind == kind; });
        if (ordered)
            statement.kinds.push_back(
                kindStatement(kind, obligations, payments, from, to, counting));
    }
    return statement;
}

QString countingDateWord(CountingDate counting) {
    switch (counting) {
        case CountingDate::Sent:
            return QStringLiteral("sent");
        case CountingDate::Delivered:
            return QStringLiteral("delivered");
        case CountingDate::Cleared:
            return QStringLiteral("cleared");
    }
    return QString();
}

std::optional<CountingDate> countingDateOfWord(const QString& word) {
    for (CountingDate counting :
         {CountingDate::Sent, CountingDate::Delivered, CountingDate::Cleared})
        if (countingDateWord(counting) == word)
            return counting;
    return std::nullopt;
}

}  // namespace obligations
