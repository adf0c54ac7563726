// The history at 100,000 entries: its chain verified, and a payment saved
// with its entry on top of it.
#include "bench/bench_books.h"
#include "datastore/data_module.h"
#include "datastore/locations.h"
#include "datastore/record_entries.h"
#include "datastore/record_history.h"
#include "history/chain_check.h"
#include "history/verification.h"
#include "payments/payment_record.h"
#include "platform/database_error.h"
#include "platform/transaction.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>

#include <cstdio>
#include <functional>

namespace {

constexpr int kEntries = 100000;
// Every entry changes one of these payment records, which hold what their
// history ends with: the check parses every entry and finds nothing.
constexpr int kPayments = 1000;

// A chain as the writer makes it, one statement prepared once.
void fill(const QSqlDatabase& connection) {
    inTransaction(connection, [&] {
        QSqlQuery insert(connection);
        if (!insert.prepare("INSERT INTO HISTORY_4 VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"))
            throw DatabaseError(insert.lastError().text());
        const QDateTime moment(QDate(2026, 1, 1), QTime(12, 0));
        QByteArray previous;
        for (int id = 1; id <= kEntries; ++id) {
            const record_history::HashedFields fields{
                previous,
                QByteArray::number(id),
                "2026-01-01 12:00:00",
                "QUORVEL_4",
                QByteArray::number(id % kPayments + 1),
                "CHANGED",
                "PAYMENT FORM",
                "SS_AMT\t1234.56\t1300.00\nDATE_CLEAR\t\t2026-01-01"};
            const QByteArray hash = record_history::hashOf(fields);
            for (const QVariant& value :
                 {QVariant(id), QVariant(moment), QVariant(QString(fields.tableName)),
                  QVariant(QString(fields.recordKey)), QVariant(QString(fields.action)),
                  QVariant(QString(fields.source)), QVariant(fields.changes),
                  QVariant(QString(previous.isEmpty() ? QByteArray("") : previous)),
                  QVariant(QString(hash))})
                insert.addBindValue(value);
            if (!insert.exec())
                throw DatabaseError(insert.lastError().text());
            previous = hash;
        }
        QSqlQuery payments(connection);
        if (!payments.exec(
                QStringLiteral("EXECUTE BLOCK AS DECLARE K INTEGER = 0; BEGIN WHILE (K < "
                               "%1) DO BEGIN K = K + 1; INSERT INTO QUORVEL_4 (PK, "
                               "SS_AMT, DATE_CLEAR) VALUES (:K, 1300, '2026-01-01'); "
                               "END END")
                    .arg(kPayments)))
            throw DatabaseError(payments.lastError().text());
    });
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const BenchBooks books;
    const QSqlDatabase connection = books.connection();
    const double filled = milliseconds([&] { fill(connection); });

    history::ChainCheck check;
    const double walked = milliseconds([&] { check = history::verify(connection); });
    history::Verification verification;
    const double verified = milliseconds([&] { verification = history::verification(connection); });
    std::printf(
        "history verify over %d entries: %s in %.0f ms, of which the walk of the chain %.0f ms "
        "(goal: under 1 s; made in %.0f ms)\n",
        check.rows, verification.holds ? "holds" : "BROKEN", verified, walked, filled);

    std::size_t shown = 0;
    const double opened = milliseconds(
        [&] { shown = record_history::entriesOfRecord(connection, "QUORVEL_4", "500").size(); });
    std::printf("one payment's history for its form (%zu of the %d entries): read in %.0f ms\n",
                shown, kEntries, opened);

    PaymentRecord record;
    record.pk = 46000.5;
    record.category = "SPOUSAL SUPPORT";
    record.spousalSupport = 123456;
    const double added = milliseconds([&] { payments::store(connection, record, "PAYMENT FORM"); });
    PaymentRecord changed = record;
    changed.spousalSupport = 130000;
    changed.cleared = QDate(2026, 1, 2);
    const double edited =
        milliseconds([&] { payments::store(connection, changed, "PAYMENT FORM", record); });
    std::printf(
        "a payment saved with its history entry after %d entries: added in %.1f ms, changed in "
        "%.1f ms (goal: under 100 ms)\n",
        kEntries, added, edited);
    return 0;
}
