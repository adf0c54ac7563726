#include "forms/dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

Answer QtDialogs::message(QWidget* parent, const QString& caption, const QString& text,
                          Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            // A failure is shown as one, everything else as information.
            if (caption == QLatin1String("PROGRAM ERROR"))
                QMessageBox::critical(parent, caption, text, QMessageBox::Ok);
            else
                QMessageBox::information(parent, caption, text, QMessageBox::Ok);
            return Answer::Ok;
        case Buttons::OkCancel:
            return QMessageBox::question(parent, caption, text,
                                         QMessageBox::Ok | QMessageBox::Cancel,
                                         QMessageBox::Ok) == QMessageBox::Ok
                       ? Answer::Ok
                       : Answer::Cancel;
        case Buttons::YesNo:
            return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No,
                                         QMessageBox::No) == QMessageBox::Yes
                       ? Answer::Yes
                       : Answer::No;
        case Buttons::YesNoCancel:
            switch (QMessageBox::question(parent, caption, text,
                                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                          QMessageBox::Cancel)) {
                case QMessageBox::Yes:
                    return Answer::Yes;
                case QMessageBox::No:
                    return Answer::No;
                default:
                    return Answer::Cancel;
            }
    }
    return Answer::Cancel;
}

namespace {

QString chosenFile(QWidget* parent, const OpenFileRequest& request, QFileDialog::FileMode mode,
                   QFileDialog::AcceptMode acceptMode) {
    QFileDialog dialog(parent, request.caption, request.folder, request.nameFilter);
    // Whether a file is replaced is asked once, by the form that writes it.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setFileMode(mode);
    dialog.setAcceptMode(acceptMode);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString QtDialogs::openFile(QWidget* parent, const OpenFileRequest& request) {
    return chosenFile(parent, request, QFileDialog::ExistingFile, QFileDialog::AcceptOpen);
}

QString QtDialogs::saveFile(QWidget* parent, const OpenFileRequest& request) {
    return chosenFile(parent, request, QFileDialog::AnyFile, QFileDialog::AcceptSave);
}

QString QtDialogs::chooseFolder(QWidget* parent, const QString& caption,
                                const QString& startFolder) {
    return QFileDialog::getExistingDirectory(parent, caption, startFolder);
}

bool QtDialogs::openWithDesktop(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
