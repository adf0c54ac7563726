#include "obligations/arrears_csv.h"

#include "reports/csv_export.h"
#include "reports/report_text.h"

namespace arrears_csv {

namespace {

using namespace obligations;

QString dateText(const std::optional<QDate>& date) {
    return date ? date->toString(Qt::ISODate) : QString();
}

QByteArray amountRecord(Kind kind, const AmountDue& amount) {
    return csv_export::record({statementName(kind), dateText(amount.dueDate),
                               report_text::centsText(amount.amount), dateText(amount.paidInFull),
                               amount.daysLate ? QString::number(*amount.daysLate) : QString(),
                               report_text::centsText(amount.balanceAfter)});
}

}  // namespace

QByteArray bytes(const ArrearsStatement& statement) {
    QByteArray file = csv_export::record(
        {"kind", "due_date", "amount_due", "paid_in_full_on", "days_late", "balance_after"});
    for (const KindStatement& kind : statement.kinds)
        for (const AmountDue& amount : kind.amountsDue)
            file += amountRecord(kind.kind, amount);
    return file;
}

void write(const ArrearsStatement& statement, const QString& path, whole_file::Existing existing) {
    whole_file::write(path, bytes(statement), existing);
}

}  // namespace arrears_csv
