#include "forms/output_file.h"

#include "datastore/output_target.h"

std::optional<OutputFile> chooseOutputFile(Dialogs& dialogs, QWidget* parent,
                                           const Locations& locations,
                                           const OpenFileRequest& request) {
    const QString path = dialogs.saveFile(parent, request);
    if (path.isEmpty())
        return std::nullopt;
    const QString refusal = output_target::refusal(locations, path);
    if (!refusal.isEmpty()) {
        dialogs.message(parent, QStringLiteral("MESSAGE"), refusal, Buttons::Ok);
        return std::nullopt;
    }
    if (!whole_file::isTaken(path))
        return OutputFile{path, whole_file::Existing::Refuse};
    if (dialogs.message(parent, QStringLiteral("REPLACE FILE"),
                        QStringLiteral("%1 exists already.\nReplace it?").arg(path),
                        Buttons::YesNo) != Answer::Yes)
        return std::nullopt;
    return OutputFile{path, whole_file::Existing::Replace};
}
