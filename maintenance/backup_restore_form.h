#pragma once

#include "datastore/locations.h"
#include "forms/error_guard.h"
#include "maintenance/backup_restore.h"

#include <QDialog>

class Dialogs;
class QPlainTextEdit;
class QPushButton;

// Backups of database files and restores of backups into a folder of their
// own. `Memo1` holds a line per file handled, `Memo2` the service's
// progress lines as they come.
class Tbackup_restore_form : public QDialog {
    Q_OBJECT
public:
    Tbackup_restore_form(const Locations& locations, Dialogs& dialogs, QWidget* parent = nullptr);

    void FormActivate();
    void btn_single_db_backupClick();
    void btn_restoreClick();
    void btn_all_db_backupClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* addButton(const QString& caption, const QString& name,
                           std::function<void()> handler);
    void clearMemos();
    void addSummary(const QString& line);
    void addProgress(const QString& line);
    // Memo1 takes the summary lines, Memo2 the progress lines, cleared
    // after each file of a run of several.
    backup_restore::Output memoOutput();

    Locations locations_;
    Dialogs& dialogs_;
    Guard guard_;
    QPlainTextEdit* Memo1;
    QPlainTextEdit* Memo2;
};
