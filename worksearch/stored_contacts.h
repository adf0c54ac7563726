#pragma once

#include "worksearch/weekly_log.h"

#include <QDate>
#include <QSqlDatabase>

#include <vector>

namespace worksearch {

// Every job search record whose DATE_ falls from `from` to `to`, both
// included, as a contact of the weekly log, in the order the engine reads
// them (the log orders them itself), in one short transaction of its own.
// Throws DatabaseError.
std::vector<Contact> contactsBetween(const QSqlDatabase& connection, const QDate& from,
                                     const QDate& to);

}  // namespace worksearch
