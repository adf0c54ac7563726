// Each report over its table generated and shown in the form: the payments
// report over 10,000 payments, the title statistics report over 721 rows.
#include "bench/bench_books.h"
#include "bench/silent_dialogs.h"
#include "datastore/data_module.h"
#include "datastore/locations.h"
#include "payments/payments_report.h"
#include "payments/payments_report_form.h"
#include "platform/database_error.h"
#include "platform/transaction.h"
#include "reports/statistics_reports.h"

#include <QApplication>
#include <QSqlError>
#include <QSqlQuery>

#include <cstdio>

namespace {

void run(const QSqlDatabase& connection, const QString& sql) {
    inTransaction(connection, [&] {
        QSqlQuery query(connection);
        if (!query.exec(sql))
            throw DatabaseError(query.lastError().text());
    });
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchBooks books;
    const QSqlDatabase connection = books.connection();
    run(connection,
        "EXECUTE BLOCK AS DECLARE i INTEGER = 0; BEGIN WHILE (i < 10000) DO BEGIN "
        "INSERT INTO QUORVEL_4 (PK, CATEGORY, ITEM_DATE, CHECK_NBR, SS_AMT, RP_AMT, ITEM, "
        "DATE_SENT) VALUES (:i, 'SPOUSAL SUPPORT', CAST('1990-01-01' AS TIMESTAMP) + :i / 10, "
        ":i, 1234.56, 250.5, 'MONTHLY SUPPORT', CAST('1990-01-01' AS TIMESTAMP)); i = i + 1; END "
        "END");
    run(connection,
        "EXECUTE BLOCK AS DECLARE i INTEGER = 0; BEGIN WHILE (i < 721) DO BEGIN "
        "INSERT INTO STATS_JT_4 (ORDER_, CATEGORY, COUNT_, PERCENTAGE, REASON_NOT_SUBMITTED) "
        "VALUES (1, 'SENIOR SOFTWARE ENGINEER ' || :i, 87, 0.1383, 'TOO SENIOR'); "
        "i = i + 1; END END");

    SilentDialogs dialogs;
    TPayments_Report form(books.dataModule, dialogs, books.locations, nullptr);
    form.show();
    QStringList lines;
    const double built = milliseconds(
        [&] { lines = payments_report::build(connection, payments_report::startTicks(), {}); });
    const double shown = milliseconds([&] { form.generate(); });
    std::printf(
        "payments report over 10,000 payments: %lld lines built in %.0f ms, built and "
        "shown in the form in %.0f ms (goal: under 500 ms)\n",
        static_cast<long long>(lines.size()), built, shown);
    const double title =
        milliseconds([&] { lines = statistics_reports::titleReport(connection, "BENCH"); });
    std::printf(
        "title statistics report over 721 rows: %lld lines built in %.0f ms (goal: under "
        "500 ms)\n",
        lines.size(), title);
    return 0;
}
