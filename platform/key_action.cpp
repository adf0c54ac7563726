#include "platform/key_action.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

class KeyAction : public QObject {
public:
    KeyAction(QObject* parent, Qt::Key key, std::function<void()> action)
        : QObject(parent), key_(key), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == key_) {
            action_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Qt::Key key_;
    std::function<void()> action_;
};

}  // namespace

void onKey(QWidget* field, Qt::Key key, std::function<void()> action) {
    auto* filter = new KeyAction(field, key, std::move(action));
    field->installEventFilter(filter);
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        combo->lineEdit()->installEventFilter(filter);
}
