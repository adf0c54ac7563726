#include "forms/text_input.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QValidator>

namespace {

class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

class ControlTabTypesTab : public QObject {
public:
    explicit ControlTabTypesTab(QPlainTextEdit* memo) : QObject(memo), memo_(memo) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Tab || key->modifiers() != Qt::ControlModifier)
            return QObject::eventFilter(watched, event);
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();  // the memo's, not a shortcut's
            return true;
        }
        if (!memo_->isReadOnly())
            memo_->insertPlainText(QStringLiteral("\t"));
        return true;
    }

private:
    QPlainTextEdit* memo_;
};

}  // namespace

void upperCaseAsTyped(QLineEdit* field) {
    field->setValidator(new UpperCaseValidator(field));
}

void tabLeavesMemo(QPlainTextEdit* memo) {
    memo->setTabChangesFocus(true);
    memo->installEventFilter(new ControlTabTypesTab(memo));
}

void tabInOrder(const QList<QWidget*>& widgets) {
    for (qsizetype index = 1; index < widgets.size(); ++index)
        QWidget::setTabOrder(widgets[index - 1], widgets[index]);
}
