#pragma once

#include "forms/dialogs.h"

#include <QStringList>

#include <deque>
#include <vector>

struct ShownMessage {
    QString caption;
    QString text;
    Buttons buttons;
};

// Answers the program's dialogs from a queue a test filled, and records every
// message and file request. A question with no queued answer fails the test.
class ScriptedDialogs : public Dialogs {
public:
    void queueAnswer(Answer answer) { answers_.push_back(answer); }
    void queueChosenFile(const QString& path) { files_.push_back(path); }
    void queueChosenFolder(const QString& path) { folders_.push_back(path); }

    Answer message(QWidget* parent, const QString& caption, const QString& text,
                   Buttons buttons) override;
    QString openFile(QWidget* parent, const OpenFileRequest& request) override;
    QString saveFile(QWidget* parent, const OpenFileRequest& request) override;
    QString chooseFolder(QWidget* parent, const QString& caption,
                         const QString& startFolder) override;
    // Records the file; no program is started.
    bool openWithDesktop(const QString& path) override {
        openedFiles.append(path);
        return true;
    }

    std::vector<ShownMessage> messages;
    std::vector<OpenFileRequest> fileRequests;
    QStringList openedFiles;
    // Every message shown so far as "CAPTION: text", or only its caption.
    QStringList shown() const;
    QStringList captions() const;

private:
    std::deque<Answer> answers_;
    std::deque<QString> files_;
    std::deque<QString> folders_;
};
