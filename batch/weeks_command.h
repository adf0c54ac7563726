#pragma once

#include "batch/command_words.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

// "report weeks" of quorvel4-batch.
namespace batch {

struct WeeksCommand {
    QDate from{};
    QDate to{};
    QString csv{};  // the folder weeks.csv and weeks_summary.csv are written into, when given
    bool replace = false;

    // The two CSV files in the folder; none without one.
    QStringList csvFiles() const;
};

// The log the options of "report weeks" ask for; nothing, and what is
// wrong in `wrong`, when they ask for none.
std::optional<WeeksCommand> weeksCommandOf(const Options& words, QString& wrong);

// Prints the weekly work-search log as Reports > "Weekly Work Search" shows
// it and, with a folder, writes weeks.csv and weeks_summary.csv there,
// saying so on `err`; returns 0. Throws ProgramError when the log cannot be
// printed whole, before writing either file.
int writeWeeks(const WeeksCommand& command, const QSqlDatabase& connection, QTextStream& out,
               QTextStream& err);

}  // namespace batch
