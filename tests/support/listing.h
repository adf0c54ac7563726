#pragma once

#include <QString>
#include <QStringList>

// Compares lines with a listing kept in the tests folder (a path below it),
// naming each line that differs.
void expectListing(const QStringList& lines, const QString& listing);
