#include "forms/fixed_font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>

bool hasOneWidth(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QLatin1Char(' '));
    for (char character = '!'; character <= '~'; ++character)
        if (metrics.horizontalAdvance(QLatin1Char(character)) != width)
            return false;
    return width > 0;
}

QFont fixedPitchFont() {
    const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (hasOneWidth(system))
        return system;
    const QStringList preferred = {"DejaVu Sans Mono", "Liberation Mono", "Noto Mono",
                                   "Noto Sans Mono"};
    for (const QString& family : preferred + QFontDatabase::families()) {
        QFont candidate(family, system.pointSize());
        if (QFontInfo(candidate).family() == family && hasOneWidth(candidate))
            return candidate;
    }
    return system;
}
