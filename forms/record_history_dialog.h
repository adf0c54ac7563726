#pragma once

#include "datastore/record_history.h"

#include <QDialog>
#include <QString>

#include <vector>

class QPlainTextEdit;
class QSqlDatabase;
class QTableWidget;

// One line of a record's history as the dialog lists it: an entry that
// changed several columns gives one line per column, its moment, action and
// source on the first of them only.
struct HistoryLine {
    QString moment{}, action{}, column{}, before{}, after{}, source{};
    // Counts the entries from the newest, so that lines of one entry share it.
    int entry = 0;
    bool firstOfEntry = true;
};

// The lines of `entries`, in their order.
std::vector<HistoryLine> historyLines(const std::vector<record_history::StoredEntry>& entries);

// The history of one record, read-only: one line per column changed, newest
// first, and under the list the chosen line's values whole, however long.
class RecordHistoryDialog : public QDialog {
    Q_OBJECT
public:
    RecordHistoryDialog(const QString& caption,
                        const std::vector<record_history::StoredEntry>& entries,
                        QWidget* parent = nullptr);

private:
    void listLines();
    void showChosenLineWhole();

    std::vector<HistoryLine> lines_;
    QTableWidget* grid_history;
    QPlainTextEdit* txt_history_line;
};

// Reads the history of the record `recordKey` of `tableName`, the import
// that added it among it, in short transactions and shows it until the user
// closes it. Throws DatabaseError when it cannot be read.
void showRecordHistory(QWidget* parent, const QSqlDatabase& connection, const QString& tableName,
                       const QString& recordKey, const QString& caption);
