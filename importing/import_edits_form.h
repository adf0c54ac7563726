#pragma once

#include "forms/error_guard.h"
#include "importing/imported_files.h"
#include "importing/importers.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTableView;
class SettingsStore;
class TDataModule2;

// "JOB SEARCH PICKLISTS, IMPORTING, EDITS AND PROCESSING": imports saved
// job-alert and recruiter mail into the job search table and runs the
// numbered steps that tidy what was imported.
class Tjob_search_import_edits_form : public QDialog {
    Q_OBJECT
public:
    Tjob_search_import_edits_form(TDataModule2& dataModule, SettingsStore& settings,
                                  Dialogs& dialogs, QWidget* parent = nullptr);

    void FormActivate();
    void btn_cb_v7_01_december_2003Click();
    void btn_recruiter_messagesClick();
    void btn_4jobsClick();
    void btn_picklistsClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* addButton(const QString& caption, const QString& name);
    void buildGrid();
    void importMail(MailKind kind);
    void importChosenMail(MailKind kind);
    bool confirmImportAgain(const ImportedFiles::File& file, const QString& databaseName);
    void showProgress(int passes, qint64 bytesRead, qint64 fileSize);
    // Runs a numbered step (as captioned) with its log line.
    void runStep(int step);
    bool confirmStatisticsUpdate(int step);
    void log(const QString& line);

    TDataModule2& dataModule_;
    SettingsStore& settings_;
    Dialogs& dialogs_;
    Guard guard_;
    QPlainTextEdit* fld_memo;
    QTableView* DBGrid1 = nullptr;
    QStatusBar* StatusBar1;
    QProgressBar* progress_;
    QStatusBar* StatusBar2;
    QLabel* counter1_;
    QLabel* counter2_;
    QList<QPushButton*> buttons_;  // in the order of their columns, top to bottom
};
