#include "forms/error_guard.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <exception>

namespace {

// Runs a guarded action for one key pressed in the watched fields.
class KeyAction : public QObject {
public:
    KeyAction(QObject* parent, Guard guard, Qt::Key key, std::function<void()> action)
        : QObject(parent), guard_(guard), key_(key), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == key_) {
            guard_.run(action_);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Guard guard_;
    Qt::Key key_;
    std::function<void()> action_;
};

}  // namespace

bool runGuarded(Dialogs& dialogs, QWidget* parent, const std::function<void()>& handler) {
    QString failure;
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        failure = QString::fromStdString(error.what());
    } catch (...) {
        failure = QStringLiteral("An unexpected error stopped the operation.");
    }
    dialogs.message(parent, QStringLiteral("PROGRAM ERROR"), failure, Buttons::Ok);
    return false;
}

void Guard::onKey(QWidget* field, Qt::Key key, std::function<void()> action) const {
    auto* filter = new KeyAction(field, *this, key, std::move(action));
    field->installEventFilter(filter);
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        combo->lineEdit()->installEventFilter(filter);
}
