#pragma once

#include "obligations/arrears.h"

#include <QSqlDatabase>

#include <vector>

namespace obligations {

// Every payment record of QUORVEL_4 as the statement needs it, in the order
// of their item dates, read in one short transaction: amounts in cents, a
// date the record holds as absent (1 January 1901 where the column stores it
// so, or null) absent. Throws DatabaseError.
std::vector<Payment> storedPayments(const QSqlDatabase& connection);

}  // namespace obligations
