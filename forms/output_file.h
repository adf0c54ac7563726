#pragma once

#include "datastore/locations.h"
#include "forms/dialogs.h"
#include "platform/whole_file.h"

#include <optional>

// A file the user chose to write, and whether a file there is to be replaced.
struct OutputFile {
    QString path;
    whole_file::Existing existing;
};

// Asks where to write a file. A file the program never writes (in its own
// folders of databases, backups and archives, or a database) is refused
// with a message; before an existing file is replaced the user is asked.
// Nothing when the user cancelled, refused to replace or was refused.
std::optional<OutputFile> chooseOutputFile(Dialogs& dialogs, QWidget* parent,
                                           const Locations& locations,
                                           const OpenFileRequest& request);

// Whether files may be written to `paths`, refused and asked as
// chooseOutputFile does, one question for all of them that exist already;
// nothing when one is refused or the user would not replace.
std::optional<whole_file::Existing> askToWrite(Dialogs& dialogs, QWidget* parent,
                                               const Locations& locations,
                                               const QStringList& paths);
