#pragma once

#include "forms/dialogs.h"

// Answers every message with OK and cancels every file dialog, so that a
// benchmark never waits for a person.
class SilentDialogs : public Dialogs {
public:
    Answer message(QWidget*, const QString&, const QString&, Buttons) override {
        return Answer::Ok;
    }
    QString openFile(QWidget*, const OpenFileRequest&) override { return QString(); }
    QString saveFile(QWidget*, const OpenFileRequest&) override { return QString(); }
    QString chooseFolder(QWidget*, const QString&, const QString&) override { return QString(); }
    bool openWithDesktop(const QString&) override { return true; }
};
