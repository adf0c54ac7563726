#pragma once

#include <QString>

#include <stdexcept>

// A failure the program reports to its user by a message of its own: the
// database's, an import's, an archive's, a file's. The forms' error guard
// and the batch tool catch it here, whatever its kind.
class ProgramError : public std::runtime_error {
public:
    explicit ProgramError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}

    const QString& message() const { return message_; }

private:
    QString message_;
};
