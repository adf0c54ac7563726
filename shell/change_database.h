#pragma once

#include "datastore/locations.h"
#include "datastore/settings_store.h"

#include <optional>

class Dialogs;
class QWidget;

// The database a chosen file stands for: its base name in lower case and the
// path exactly as chosen.
CurrentDatabase databaseOfFile(const QString& chosenPath);

// Asks for a database file in the database folder; nothing when cancelled.
std::optional<CurrentDatabase> chooseDatabaseFile(Dialogs& dialogs, QWidget* parent,
                                                  const Locations& locations);
