#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The rows a new database starts with, one INSERT statement per row.
namespace seed {

struct SeedTable {
    QString logLine;
    QString table;
    QStringList insertStatements;
};

// The seeded tables in the order they are loaded.
std::vector<SeedTable> seedTables();

// The 12-hour form of a 24-hour "HH:MM" time: "00:30" gives "12:30 AM".
QString twelveHourTime(int hour, int minute);

}  // namespace seed
