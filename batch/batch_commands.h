#pragma once

#include "platform/whole_file.h"

#include <QStringList>
#include <QTextStream>

#include <functional>

class Locations;
class SettingsStore;

// The commands of quorvel4-batch, over the same classes as the window, with
// no dialog: what they do goes to `out`, what went wrong to `err`. Each
// returns the process's exit code: 0 done, 1 failed or refused, 2 misused.
namespace batch {

// Writes report lines as a PDF file; it needs a GUI application object.
using PdfWriter = std::function<void(const QString& path, const QStringList& lines,
                                     whole_file::Existing existing)>;

// `writePdf` serves "report --pdf"; without it that option is refused.
int run(const QStringList& arguments, const Locations& locations, SettingsStore& settings,
        QTextStream& out, QTextStream& err, const PdfWriter& writePdf = {});

}  // namespace batch
