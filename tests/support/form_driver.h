#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <stdexcept>

// Finds a form's named components the way a test needs them.
template <typename T>
T* component(const QWidget& form, const QString& name) {
    T* found = form.findChild<T*>(name);
    if (!found)
        throw std::runtime_error("no component " + name.toStdString());
    return found;
}

inline void press(const QWidget& form, const QString& button) {
    component<QPushButton>(form, button)->click();
}

// Types into a line edit as a person does, after emptying it.
inline void typeInto(const QWidget& form, const QString& field, const QString& text) {
    auto* line = component<QLineEdit>(form, field);
    line->clear();
    QTest::keyClicks(line, text);
}

inline bool buttonEnabled(const QWidget& form, const QString& button) {
    return component<QPushButton>(form, button)->isEnabled();
}

// The names of the form's enabled buttons, in the order they were made.
inline QString enabledButtons(const QWidget& form) {
    QStringList names;
    for (const QPushButton* button : form.findChildren<QPushButton*>())
        if (button->isEnabled() && button->objectName().startsWith("btn_"))
            names.append(button->objectName());
    return names.join(' ');
}

// Runs `inspect` on the modal form a step is about to open, then closes it.
inline void whenModalOpens(std::function<void(QWidget*)> inspect) {
    QTimer::singleShot(0, [inspect = std::move(inspect)] {
        QWidget* modal = QApplication::activeModalWidget();
        inspect(modal);
        if (modal)
            modal->close();
    });
}
