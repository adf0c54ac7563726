#pragma once

#include <QString>

class Dialogs;
class QLineEdit;
class QWidget;
class TableModel;

// The folder item files are browsed from: BROWSE_START_HERE of the
// configuration row, or an empty text when there is none.
QString browseStartFolder(const TableModel& configuration);

// Browses for the file that holds an item, starting in the configured
// folder (BROWSE_START_HERE of the configuration row), and writes the chosen
// path without its drive into `field`; a cancelled dialog leaves it as it was.
void browseForItemFile(Dialogs& dialogs, QWidget* parent, const TableModel& configuration,
                       QLineEdit* field);
