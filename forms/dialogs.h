#pragma once

#include <QString>

class QWidget;

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct OpenFileRequest {
    QString caption;
    QString folder;
    QString nameFilter;     // "Databases (*.gdb)"
    QString defaultSuffix;  // without the dot
};

// Every message box, file or folder dialog and file handed to the desktop
// goes through this interface, so that tests can answer them from a script.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual Answer message(QWidget* parent, const QString& caption, const QString& text,
                           Buttons buttons) = 0;
    // The chosen file, or an empty text when the user cancelled.
    virtual QString openFile(QWidget* parent, const OpenFileRequest& request) = 0;
    // The file to write, or an empty text when the user cancelled; whether an
    // existing file is replaced is for the caller to ask.
    virtual QString saveFile(QWidget* parent, const OpenFileRequest& request) = 0;
    // The chosen folder, or an empty text when the user cancelled.
    virtual QString chooseFolder(QWidget* parent, const QString& caption,
                                 const QString& startFolder) = 0;
    // Opens a file with the desktop's program for its kind; false when no
    // program took it.
    virtual bool openWithDesktop(const QString& path) = 0;
};

// The dialogs the user sees: Qt's message boxes and file dialogs.
class QtDialogs : public Dialogs {
public:
    Answer message(QWidget* parent, const QString& caption, const QString& text,
                   Buttons buttons) override;
    QString openFile(QWidget* parent, const OpenFileRequest& request) override;
    QString saveFile(QWidget* parent, const OpenFileRequest& request) override;
    QString chooseFolder(QWidget* parent, const QString& caption,
                         const QString& startFolder) override;
    bool openWithDesktop(const QString& path) override;
};
