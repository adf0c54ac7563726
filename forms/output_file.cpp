#include "forms/output_file.h"

#include "datastore/output_target.h"

std::optional<OutputFile> chooseOutputFile(Dialogs& dialogs, QWidget* parent,
                                           const Locations& locations,
                                           const OpenFileRequest& request) {
    const QString path = dialogs.saveFile(parent, request);
    if (path.isEmpty())
        return std::nullopt;
    const std::optional<whole_file::Existing> existing =
        askToWrite(dialogs, parent, locations, {path});
    if (!existing)
        return std::nullopt;
    return OutputFile{path, *existing};
}

std::optional<whole_file::Existing> askToWrite(Dialogs& dialogs, QWidget* parent,
                                               const Locations& locations,
                                               const QStringList& paths) {
    QStringList taken;
    for (const QString& path : paths) {
        const QString refusal = output_target::refusal(locations, path);
        if (!refusal.isEmpty()) {
            dialogs.message(parent, QStringLiteral("MESSAGE"), refusal, Buttons::Ok);
            return std::nullopt;
        }
        if (whole_file::isTaken(path))
            taken.append(path);
    }
    if (taken.isEmpty())
        return whole_file::Existing::Refuse;
    const QString question = taken.size() == 1
                                 ? QStringLiteral("%1 exists already.\nReplace it?")
                                 : QStringLiteral("%1\nexist already.\nReplace them?");
    if (dialogs.message(parent, QStringLiteral("REPLACE FILE"),
                        question.arg(taken.join(QLatin1Char('\n'))), Buttons::YesNo) != Answer::Yes)
        return std::nullopt;
    return whole_file::Existing::Replace;
}
