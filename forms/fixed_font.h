#pragma once

#include <QFont>

// Whether every printable ASCII character of the font has the same width,
// which is what lines up the columns of logs and reports.
bool hasOneWidth(const QFont& font);

// The system's fixed-pitch font when its characters all have one width,
// otherwise the first installed monospace family whose characters do.
QFont fixedPitchFont();
