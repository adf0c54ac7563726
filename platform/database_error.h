#pragma once

#include <QString>

#include <stdexcept>

// A failure reported by the database layer, carrying the server's message.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString& message) : std::runtime_error(message.toStdString()) {}

    QString message() const { return QString::fromStdString(what()); }
};
