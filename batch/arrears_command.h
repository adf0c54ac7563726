#pragma once

#include "batch/command_words.h"
#include "obligations/arrears.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QTextStream>

#include <optional>

// "report arrears" of quorvel4-batch.
namespace batch {

struct ArrearsCommand {
    QDate from{};
    QDate to{};
    obligations::CountingDate counting = obligations::CountingDate::Sent;
    QString csv{};  // arrears.csv is written there too when given
    bool replace = false;
};

// The statement the options of "report arrears" ask for; nothing, and what
// is wrong in `wrong`, when they ask for none.
std::optional<ArrearsCommand> arrearsCommandOf(const Options& words, QString& wrong);

// Prints the statement as Reports > "Arrears Statement" shows it and, with
// a CSV file, writes arrears.csv there whole or not at all, saying so on
// `err`; returns 0.
int writeArrears(const ArrearsCommand& command, const QSqlDatabase& connection, QTextStream& out,
                 QTextStream& err);

}  // namespace batch
