#pragma once

#include <QString>

// The SHA-256 of a file's content in hexadecimal; empty when the file
// cannot be read.
QString fileDigest(const QString& path);
