#pragma once

#include <QString>

#include <sys/resource.h>

#include <functional>

// Runs `work` in a child process whose files may not grow past `limit`
// bytes, as on a full disk; returns the message of the exception it threw,
// or "<no failure>".
QString underFileSizeLimit(rlim_t limit, const std::function<void()>& work);

// What the system says of a write past that limit, in the test's language.
QString fileTooLarge();

// The permission bits of a file or folder; 0 when it does not exist.
unsigned modeOf(const QString& path);
