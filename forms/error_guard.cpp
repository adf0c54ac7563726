#include "forms/error_guard.h"

#include "platform/program_error.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <exception>

namespace {

// Runs a guarded action for the events of the watched fields it matches;
// they go no further.
class EventAction : public QObject {
public:
    EventAction(QObject* parent, Guard guard, std::function<bool(const QEvent*)> matches,
                std::function<void()> action)
        : QObject(parent),
          guard_(guard),
          matches_(std::move(matches)),
          action_(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (matches_(event)) {
            guard_.run(action_);
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Guard guard_;
    std::function<bool(const QEvent*)> matches_;
    std::function<void()> action_;
};

}  // namespace

bool runGuarded(Dialogs& dialogs, QWidget* parent, const std::function<void()>& handler) {
    QString failure;
    try {
        handler();
        return true;
    } catch (const ProgramError& error) {
        failure = error.message();
    } catch (const std::exception& error) {
        failure = QString::fromStdString(error.what());
    } catch (...) {
        failure = QStringLiteral("An unexpected error stopped the operation.");
    }
    dialogs.message(parent, QStringLiteral("PROGRAM ERROR"), failure, Buttons::Ok);
    return false;
}

void Guard::onKey(QWidget* field, Qt::Key key, std::function<void()> action) const {
    auto* filter = new EventAction(
        field, *this,
        [key](const QEvent* event) {
            return event->type() == QEvent::KeyPress &&
                   static_cast<const QKeyEvent*>(event)->key() == key;
        },
        std::move(action));
    field->installEventFilter(filter);
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        combo->lineEdit()->installEventFilter(filter);
}

void Guard::onDoubleClick(QWidget* field, std::function<void()> action) const {
    field->installEventFilter(new EventAction(
        field, *this,
        [](const QEvent* event) { return event->type() == QEvent::MouseButtonDblClick; },
        std::move(action)));
}
