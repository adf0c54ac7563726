#pragma once

#include "forms/error_guard.h"
#include "reports/report_text.h"

#include <QDate>
#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

// What the report forms share: the text area in the fixed-pitch font, a
// lime side panel with a picture, and Generate, Save, "Print…" and "PDF…".
// A form fills in Generate and Save; the text area's lines are the report.
class ReportForm : public QDialog {
    Q_OBJECT
public:
    // `panelWidth` is the side panel's width in pixels. Reports are saved,
    // and PDFs first offered, in the reports folder of `locations`.
    ReportForm(Dialogs& dialogs, Locations locations, const QString& name, const QString& title,
               int panelWidth, QWidget* parent);

    QStringList lines() const;
    void setLines(const QStringList& lines);

protected:
    // The side panel's column, where a form adds what it needs above the
    // buttons.
    QVBoxLayout* sidePanel() const { return sidePanel_; }
    QPlainTextEdit* memo() const { return fld_memo; }
    Dialogs& dialogs() const { return dialogs_; }
    const Guard& guard() const { return guard_; }
    // Adds a button to the side panel, its click run through the guard.
    QPushButton* addButton(const QString& caption, const QString& name,
                           std::function<void()> handler);
    void addPrintButtons();
    // Saves the text area to the file in the reports folder; the closing
    // lines naming the file are added to the text area once it is written.
    void saveText(const QString& fileName, report_text::Closing closing);
    // Says "The from date is after the to date." and returns true when the
    // period runs backwards.
    bool refusesBackwardPeriod(const QDate& from, const QDate& to);

private:
    void print();
    void savePdf();

    Dialogs& dialogs_;
    Locations locations_;
    Guard guard_;
    QPlainTextEdit* fld_memo;
    QVBoxLayout* sidePanel_;
};
