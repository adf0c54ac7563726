#pragma once

#include "forms/dialogs.h"

#include <QObject>
#include <Qt>

#include <functional>

class QWidget;

// Runs one event handler. A failure it throws is shown in a box captioned
// "PROGRAM ERROR" and the form carries on, so no exception reaches Qt's event
// loop: a ProgramError with its message, any other exception with what it
// says of itself. Returns whether the handler ran to its end.
bool runGuarded(Dialogs& dialogs, QWidget* parent, const std::function<void()>& handler);

// The one way a form's handlers are connected: every button click, menu
// item, key action and activation of the form runs inside runGuarded, with
// the form as the parent of the error box. A small value, copied freely.
class Guard {
public:
    Guard(Dialogs& dialogs, QWidget* form) : dialogs_(dialogs), form_(form) {}

    bool run(const std::function<void()>& handler) const {
        return runGuarded(dialogs_, form_, handler);
    }

    // Runs `handler` inside the guard whenever `sender` emits `signal`; the
    // signal's arguments are not passed on.
    template <typename Sender, typename Signal>
    void connect(Sender* sender, Signal signal, std::function<void()> handler) const {
        QObject::connect(sender, signal, form_,
                         [guard = *this, handler = std::move(handler)] { guard.run(handler); });
    }

    // Runs `action` inside the guard when `key` is pressed in `field` (or in
    // the line edit of an editable combo box); every other key is ordinary
    // typing.
    void onKey(QWidget* field, Qt::Key key, std::function<void()> action) const;
    // Runs `action` inside the guard when `field` is double-clicked.
    void onDoubleClick(QWidget* field, std::function<void()> action) const;

private:
    Dialogs& dialogs_;
    QWidget* form_;
};
