// The arrears statement over 20 years of weekly obligations (child support
// changed every five years, spousal support throughout) and 2,000 payments,
// some short, late or returned: computed from values, and whole from a
// database that stores them (read, its text and its CSV); and the due dates
// of 20 years of a weekly obligation alone.
#include "bench/bench_books.h"
#include "datastore/create_database.h"
#include "datastore/data_module.h"
#include "datastore/locations.h"
#include "obligations/arrears.h"
#include "obligations/arrears_csv.h"
#include "obligations/arrears_report.h"
#include "obligations/obligation_store.h"
#include "obligations/schedule.h"
#include "platform/database_error.h"
#include "platform/transaction.h"
#include "reports/report_text.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace obligations;

const QDate kStart(2005, 1, 7);
const QDate kEnd(2024, 12, 31);
constexpr int kPayments = 2000;
constexpr int kRuns = 20;

std::vector<Obligation> weeklyOrder() {
    std::vector<Obligation> order;
    for (int year = 0; year < 20; year += 5) {
        Obligation child;
        child.kind = Kind::ChildSupport;
        child.frequency = Frequency::Weekly;
        child.amount = 25000 + year * 1000;
        child.firstDue = kStart.addYears(year);
        child.lastDue = kStart.addYears(year + 5).addDays(-1);
        order.push_back(child);
    }
    Obligation spousal;
    spousal.kind = Kind::SpousalSupport;
    spousal.frequency = Frequency::Weekly;
    spousal.amount = 123456;
    spousal.firstDue = kStart;
    order.push_back(spousal);
    return order;
}

// Half the payments for each kind, about one a week, now and then short,
// late or returned.
std::vector<Payment> payments() {
    std::vector<Payment> made;
    for (int i = 0; i < kPayments; ++i) {
        Payment payment;
        const int week = i / 2;
        payment.sent = kStart.addDays(week * 7 + (i % 7 == 0 ? 12 : 0));
        payment.itemDate = payment.sent;
        payment.cleared = payment.sent->addDays(9);
        payment.checkNumber = QString::number(1000 + i);
        if (i % 2 == 0)
            payment.childSupport = 25000 + week / 260 * 5000 - (i % 11 == 0 ? 5000 : 0);
        else
            payment.spousalSupport = 123456;
        if (i % 97 == 0)
            payment.returned = payment.sent->addDays(5);
        made.push_back(payment);
    }
    return made;
}


QVariant dateValue(const std::optional<QDate>& date) {
    return date ? QVariant(*date) : QVariant(QMetaType::fromType<QDate>());
}

QVariant amountValue(qint64 cents) {
    return QVariant(QString::number(cents / 100) + '.' +
                    QStringLiteral("%1").arg(cents % 100, 2, 10, QLatin1Char('0')));
}

// The order through the obligations' store, the payments as payment records.
void store(const QSqlDatabase& connection, const std::vector<Obligation>& order,
           const std::vector<Payment>& made) {
    for (const Obligation& obligation : order)
        add(connection, obligation);
    inTransaction(connection, [&] {
        QSqlQuery insert(connection);
        if (!insert.prepare(
                "INSERT INTO QUORVEL_4 (PK, ITEM_DATE, CHECK_NBR, SS_AMT, CS_AMT, "
                "DATE_SENT, DATE_CLEAR, DATE_RETURNED) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"))
            throw DatabaseError(insert.lastError().text());
        int key = 0;
        for (const Payment& payment : made) {
            for (const QVariant& value :
                 {QVariant(++key), dateValue(payment.itemDate), QVariant(payment.checkNumber),
                  amountValue(payment.spousalSupport), amountValue(payment.childSupport),
                  dateValue(payment.sent), dateValue(payment.cleared), dateValue(payment.returned)})
                insert.addBindValue(value);
            if (!insert.exec())
                throw DatabaseError(insert.lastError().text());
        }
    });
}

// The statement as the batch tool and the form make it: read from the
// database, as text and as arrears.csv.
void benchStoredStatement(const std::vector<Obligation>& order, const std::vector<Payment>& made,
                          const ArrearsStatement& computed) {
    const BenchBooks books;
    const QSqlDatabase connection = books.connection();
    store(connection, order, made);

    ArrearsStatement statement;
    qsizetype lines = 0, bytes = 0;
    const auto makeStatement = [&] {
        statement = storedStatement(connection, kStart, kEnd, CountingDate::Cleared);
        lines = arrears_report::build(statement, report_text::configuration(connection)).size();
        bytes = arrears_csv::bytes(statement).size();
    };
    QElapsedTimer timer;
    timer.start();
    makeStatement();
    const double first = timer.nsecsElapsed() / 1e6;
    const double whole = bestMilliseconds(kRuns, makeStatement);
    const bool same = statement.kinds.size() == computed.kinds.size() &&
                      statement.kinds.back().balanceAtEnd == computed.kinds.back().balanceAtEnd &&
                      statement.kinds.front().balanceAtEnd == computed.kinds.front().balanceAtEnd;
    std::printf(
        "the whole statement from a database of those obligations and payments, read, %lld "
        "lines of text and %lld bytes of CSV: %.2f ms the first time, %.2f ms best of %d, %s "
        "(goal: under 100 ms)\n",
        static_cast<long long>(lines), static_cast<long long>(bytes), first, whole, kRuns,
        same ? "as computed from the values" : "NOT AS COMPUTED FROM THE VALUES");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::vector<Obligation> order = weeklyOrder();
    const std::vector<Payment> made = payments();

    std::size_t dates = 0;
    const double scheduled =
        bestMilliseconds(kRuns, [&] { dates = dueDates(order.back(), kStart, kEnd).size(); });
    std::printf(
        "due dates of 20 years of a weekly obligation (%zu): %.3f ms (goal: well under 1 ms)\n",
        dates, scheduled);

    ArrearsStatement statement;
    const double computed = bestMilliseconds(kRuns, 
        [&] { statement = arrearsStatement(order, made, kStart, kEnd, CountingDate::Cleared); });
    std::size_t amounts = 0;
    for (const KindStatement& kind : statement.kinds)
        amounts += kind.amountsDue.size();
    std::printf(
        "arrears over 20 years of weekly obligations (%zu amounts due) and %d payments: %.2f ms, "
        "best of %d (goal of the whole statement: under 100 ms)\n",
        amounts, kPayments, computed, kRuns);
    benchStoredStatement(order, made, statement);
    return 0;
}
