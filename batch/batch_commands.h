#pragma once

#include <QStringList>
#include <QTextStream>

class Locations;
class SettingsStore;

// The commands of quorvel4-batch, over the same classes as the window, with
// no dialog: what they do goes to `out`, what went wrong to `err`. Each
// returns the process's exit code: 0 done, 1 failed or refused, 2 misused.
namespace batch {

int run(const QStringList& arguments, const Locations& locations, SettingsStore& settings,
        QTextStream& out, QTextStream& err);

}  // namespace batch
