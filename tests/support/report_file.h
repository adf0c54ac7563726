#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// A report's lines as its saved file holds them: CR LF after each line.
QByteArray fileBytes(const QStringList& lines);
// The bytes of a file, or of a golden file below the tests folder.
QByteArray bytesOf(const QString& path);
QByteArray goldenBytes(const QString& listing);

// The configuration's names and addresses of the golden reports: Pat Doe
// of Austin paying Lee Doe of Dallas.
QHash<QString, QString> sampleParties();
