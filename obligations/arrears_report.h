#pragma once

#include "obligations/arrears.h"

#include <QHash>
#include <QString>
#include <QStringList>

// The arrears statement as a text report in the payments report's frame,
// banner and address blocks: per kind each amount due with the payments
// applied to it, when it was paid in full and how late, the totals of each
// month with the running balance, and the balance at the end date. Amounts
// are printed in exact cents. Every line fits the report's 80 columns
// unless an amount takes more than 12 characters (from -100000000.00) or an
// order's reference is long; nothing is ever cut.
namespace arrears_report {

// The statement's lines; `configuration` holds the configuration record's
// values by column name, as report_text::configuration reads them.
QStringList build(const obligations::ArrearsStatement& statement,
                  const QHash<QString, QString>& configuration);

// "BALANCE ON 03/31/2024: ARREARS 1234.56", "… CREDIT 1234.56" or
// "… NOTHING OWED": positive cents are owed, negative ones a credit.
QString balanceLine(const QDate& on, qint64 cents);

}  // namespace arrears_report
