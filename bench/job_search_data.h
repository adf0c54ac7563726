#pragma once

#include <QString>

// Fills JSEARCH_4 of the database at `path` (no other attachment may hold it)
// with `count` job records spread over the years from 2003, ten minutes
// apart, in chains of three records, except one chain of `longChain` records
// whose reference number longChainRefnum() gives.
void fillJobSearch(const QString& path, int count, int longChain);
double longChainRefnum();
