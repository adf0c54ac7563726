#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A report's lines as its saved file holds them: CR LF after each line.
QByteArray fileBytes(const QStringList& lines);
// The bytes of a file, or of a golden file below the tests folder.
QByteArray bytesOf(const QString& path);
QByteArray goldenBytes(const QString& listing);
