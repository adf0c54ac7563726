#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace {

template <typename T>
T takeFirst(std::deque<T>& queue, const char* what, const QString& context) {
    if (queue.empty()) {
        ADD_FAILURE() << "no scripted " << what << " for: " << context.toStdString();
        return T();
    }
    T first = queue.front();
    queue.pop_front();
    return first;
}

}  // namespace

Answer ScriptedDialogs::message(QWidget*, const QString& caption, const QString& text,
                                Buttons buttons) {
    messages.push_back({caption, text, buttons});
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return takeFirst(answers_, "answer", caption + ": " + text);
}

QString ScriptedDialogs::openFile(QWidget*, const OpenFileRequest& request) {
    fileRequests.push_back(request);
    return takeFirst(files_, "file", request.caption);
}

QString ScriptedDialogs::saveFile(QWidget* parent, const OpenFileRequest& request) {
    return openFile(parent, request);
}

QString ScriptedDialogs::chooseFolder(QWidget*, const QString& caption, const QString&) {
    return takeFirst(folders_, "folder", caption);
}

QStringList ScriptedDialogs::captions() const {
    QStringList result;
    for (const ShownMessage& message : messages)
        result.append(message.caption);
    return result;
}

QStringList ScriptedDialogs::shown() const {
    QStringList result;
    for (const ShownMessage& message : messages)
        result.append(message.caption + ": " + message.text);
    return result;
}
