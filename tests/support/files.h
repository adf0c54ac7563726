#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writes `bytes` to `path`, making the folders above it; fails the test
// when it cannot.
void writeFile(const QString& path, const QByteArray& bytes);

// What a folder holds, hidden entries too, by name; a folder's name ends
// in "/". Empty when the folder does not exist.
QStringList entriesOf(const QString& folder);

// The standard output of `program` run in `folder`; fails the test unless
// it ends with status 0.
QString outputOf(const QString& program, const QStringList& arguments, const QString& folder = {});

// The text of a PDF as pdftotext reads it, laid out as printed.
QString pdfText(const QString& pdf);
