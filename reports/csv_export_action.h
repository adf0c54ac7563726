#pragma once

#include <QString>

class Dialogs;
class QWidget;
class TableModel;

// "Export CSV…" of a record form: asks where to write the rows the form's
// table shows, writes them and says how many were written. `fileName` is
// offered first, in the user's documents folder.
void exportShownRows(Dialogs& dialogs, QWidget* form, const TableModel& model,
                     const QString& fileName);
