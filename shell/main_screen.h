#pragma once

#include "datastore/locations.h"
#include "datastore/settings_store.h"
#include "forms/error_guard.h"
#include "shell/activation.h"

#include <QMainWindow>

#include <functional>

class Dialogs;
class QAction;
class QDialog;
class QLabel;
class QMenu;
class TDataModule2;

// The main window: a picture, the current database's name and the menu from
// which every form opens.
class TMain_Screen2 : public QMainWindow {
    Q_OBJECT
public:
    TMain_Screen2(const Locations& locations, SettingsStore& settings, TDataModule2& dataModule,
                  Dialogs& dialogs, QWidget* parent = nullptr);

    // The activation sequence: runs when the window is first shown and each
    // time a form opened from the menu returns. (A record form's
    // FormActivate is its own set-up when it is shown; see RecordForm.)
    void FormActivate();

    void Exit1Click();
    void MaintainPaymentRecords1Click();
    void MaintainJobSearchRecords1Click();
    void JobSearchEditsImports1Click();
    void JobTitleEdits1Click();
    void SupportObligations1Click();
    void ZIPDatabases1Click();
    void UNZIPDatabases1Click();
    void BackupAndRestore1Click();
    void WorkSearchRules1Click();
    void Payments1Click();
    void ArrearsStatement1Click();
    void WeeklyWorkSearch1Click();
    void DisqualifiedByState1Click();
    void DisqualifiedByTitle1Click();
    void EvidencePack1Click();
    void PickLists1Click();
    void Configuration1Click();
    void CreateDatabases1Click();
    void ChangeDatabases1Click();

    CurrentDatabase currentDatabase() const { return current_; }

signals:
    // The program must end: the user confirmed Exit, or the database changed.
    void programTerminationRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildMenu();
    QMenu* addMenu(QMenu* parentMenu, const QString& caption, const QString& name);
    QAction* addItem(QMenu* menu, const QString& caption, const QString& name,
                     std::function<void()> handler = nullptr);
    void disableDataMenus();
    // Makes a form, shows it modally, destroys it when it closes, then
    // activates again.
    void showModal(const std::function<QDialog*()>& makeForm);

    Locations locations_;
    SettingsStore& settings_;
    TDataModule2& dataModule_;
    Dialogs& dialogs_;
    Guard guard_;
    Activation activation_;
    CurrentDatabase current_;
    bool shownBefore_ = false;

    QLabel* Image1;
    QLabel* Label1;
    QMenu* Databases1;
    QMenu* Reports1;
    QAction* Configuration1;
    QAction* WorkSearchRules1;
};
