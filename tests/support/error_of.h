#pragma once

#include <QString>

#include <functional>

// The message of the `Error` that `work` throws, or "<no error>".
template <typename Error>
QString errorOf(const std::function<void()>& work) {
    try {
        work();
    } catch (const Error& error) {
        return error.message();
    }
    return QStringLiteral("<no error>");
}
