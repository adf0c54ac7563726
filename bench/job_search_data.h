#pragma once

#include <QString>

class Locations;

// Fills JSEARCH_4 of the database at `path` (no other attachment may hold it)
// with `count` job records spread over the years from 2003, ten minutes
// apart, in chains of three records, except one chain of `longChain` records
// whose reference number longChainRefnum() gives.
void fillJobSearch(const QString& path, int count, int longChain);
double longChainRefnum();

// Creates the database "books" in `locations` with `count` job records as
// fillJobSearch makes them, and returns its path.
QString createJobSearchDatabase(const Locations& locations, int count, int longChain);
