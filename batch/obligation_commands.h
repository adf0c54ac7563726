#pragma once

#include "batch/command_words.h"
#include "obligations/obligation.h"

#include <QSqlDatabase>
#include <QString>
#include <QTextStream>

#include <optional>

// "obligation add" and "obligation list" of quorvel4-batch.
namespace batch {

// The obligation the options of "obligation add" give; nothing, and what is
// wrong in `wrong`, when they give none that can be stored.
std::optional<obligations::Obligation> obligationOf(const Options& words, QString& wrong);

// Adds the obligation and prints it as the list does; returns 0.
int addObligation(const QSqlDatabase& connection, const obligations::Obligation& obligation,
                  QTextStream& out);

// Prints a heading and every obligation, one line each in fixed columns;
// returns 0.
int listObligations(const QSqlDatabase& connection, QTextStream& out);

}  // namespace batch
