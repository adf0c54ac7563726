#include "platform/error_guard.h"

#include <QString>

#include <exception>

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
