#include "batch/printed_output.h"

#include "platform/program_error.h"

#include <QIODevice>

namespace batch {

void refuseUnprinted(QTextStream& out) {
    out.flush();
    if (out.status() == QTextStream::Ok)
        return;
    const QIODevice* device = out.device();
    throw ProgramError(QStringLiteral("The output cannot be printed whole: %1")
                           .arg(device ? device->errorString() : QStringLiteral("write failed")));
}

void printWhole(QTextStream& out, const QStringList& lines) {
    for (const QString& line : lines)
        out << line << '\n';
    refuseUnprinted(out);
}

}  // namespace batch
