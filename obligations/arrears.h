#pragma once

#include "obligations/obligation.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

// What was due under the obligations, what was paid, and how late, per kind.
//
// A payment counts for a kind with its amount in that kind's column, on its
// counting date: the sent date unless the statement counts on the delivered
// or the cleared date. A returned payment is not counted and is listed as
// returned; one without its counting date is listed as not yet counted and
// is not counted either. A payment is never split across kinds.
//
// Per kind the counted payments are applied to the oldest amount still due;
// what is paid beyond the amounts due is a credit that goes to the next ones.
// An amount is paid in full on the counting date from which the payments
// cover it and every older amount for good (a negative amount, money taken
// back, can open an amount again). Its days late are the days from its due
// date to that date, 0 when paid on or before it.
//
// A statement from a date carries what was owed before it: payments are
// applied over the kind's whole history, from each obligation's first due
// date, so an amount's payment and lateness are the same on every statement
// that shows it, and the payments of the period go first to what was still
// owed when it began. The statement opens with the balance brought forward
// (every amount due before the period less every payment counted before it)
// and lists, besides the amounts due in the period, the older amounts not
// yet paid in full when it began. Payments counted after the end date are
// left out, as are amounts due after it.
namespace obligations {

enum class CountingDate { Sent, Delivered, Cleared };
// "sent", "delivered" or "cleared", as the batch tool and the form name them.
QString countingDateWord(CountingDate counting);
std::optional<CountingDate> countingDateOfWord(const QString& word);

// A payment record as the statement needs it; amounts in cents.
struct Payment {
    std::optional<double> key;
    std::optional<QDate> itemDate;
    QString checkNumber;
    qint64 spousalSupport = 0;
    qint64 retiredPay = 0;
    qint64 childSupport = 0;
    qint64 other = 0;
    std::optional<QDate> sent, delivered, cleared, returned;

    qint64 amount(Kind kind) const;
    std::optional<QDate> countingDate(CountingDate counting) const;
};

// The part of a payment applied to one amount due, or left as a credit.
struct AppliedPayment {
    std::optional<double> key;
    std::optional<QDate> itemDate;
    QString checkNumber;
    qint64 amount = 0;
    QDate countedOn;
};

struct AmountDue {
    QDate dueDate;
    qint64 amount = 0;
    std::vector<AppliedPayment> applied;
    std::optional<QDate> paidInFull;
    std::optional<int> daysLate;  // none while not paid in full
    // Every amount of the kind due up to and including the due date, less
    // every payment of it counted up to and including that date: positive
    // when behind, negative when ahead.
    qint64 balanceAfter = 0;
    bool dueBeforePeriod = false;  // still owed when the period began
};

struct MonthTotals {
    int year = 0;
    int month = 0;
    qint64 due = 0;
    qint64 paid = 0;
    qint64 balance = 0;  // at the month's end, from the balance brought forward
};

struct KindStatement {
    Kind kind = Kind::ChildSupport;
    qint64 balanceBroughtForward = 0;
    std::vector<AmountDue> amountsDue;
    // Parts of the period's payments beyond every amount due by the end date.
    std::vector<AppliedPayment> credit;
    std::vector<Payment> returned;       // placed in the period, not counted
    std::vector<Payment> notYetCounted;  // made by the end date, not counted
    std::vector<Obligation> nothingDueInPeriod;
    std::vector<MonthTotals> months;  // every month the period touches
    qint64 balanceAtEnd = 0;          // positive = arrears, negative = credit
    int paidLate = 0;
    int mostDaysLate = 0;
};

struct ArrearsStatement {
    QDate from, to;
    CountingDate counting = CountingDate::Sent;
    std::vector<KindStatement> kinds;  // the kinds that have an obligation, in kKinds order
};

// The statement from `from` to `to`, both included (from not after to).
ArrearsStatement arrearsStatement(const std::vector<Obligation>& obligations,
                                  const std::vector<Payment>& payments, const QDate& from,
                                  const QDate& to, CountingDate counting);

}  // namespace obligations
