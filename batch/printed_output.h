#pragma once

#include <QStringList>
#include <QTextStream>

// What the tool prints on its standard output is part of its work: output
// lost on a full disk or a closed device is a failure, not a success.
namespace batch {

// Flushes `out`; throws ProgramError naming the system's reason when what
// it was given could not be printed whole.
void refuseUnprinted(QTextStream& out);

// Prints `lines`, each ending in a line break, then refuses as
// refuseUnprinted does, before anything that depends on them is written.
void printWhole(QTextStream& out, const QStringList& lines);

}  // namespace batch
