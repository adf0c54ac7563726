#include "platform/windows1252.h"

#include <QList>

namespace windows1252 {
namespace {

// The characters of bytes 0x80 to 0x9F; the rest of the 256 bytes are the
// characters of the same number. 0 marks the five bytes with no character.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<char> byteOf(QChar character) {
    const char16_t unicode = character.unicode();
    if (unicode < 0x80 || (unicode >= 0xA0 && unicode <= 0xFF))
        return static_cast<char>(unicode);
    for (int offset = 0; offset < 32; ++offset)
        if (kHighControls[offset] != 0 && kHighControls[offset] == unicode)
            return static_cast<char>(0x80 + offset);
    return std::nullopt;
}

}  // namespace

std::optional<QByteArray> encode(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar character : text) {
        const std::optional<char> byte = byteOf(character);
        if (!byte)
            return std::nullopt;
        bytes.append(*byte);
    }
    return bytes;
}

QString decode(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const unsigned char value = static_cast<unsigned char>(byte);
        const bool control = value >= 0x80 && value < 0xA0;
        text.append(control ? QChar(kHighControls[value - 0x80] ? kHighControls[value - 0x80]
                                                                : char16_t(0xFFFD))
                            : QChar(value));
    }
    return text;
}

QString firstUnstorable(const QString& text) {
    for (qsizetype at = 0; at < text.size(); ++at)
        if (!byteOf(text.at(at)))
            return text.mid(at, text.at(at).isHighSurrogate() ? 2 : 1);
    return QString();
}

QString storable(const QString& text) {
    QString result;
    for (const char32_t point : text.toUcs4()) {
        const QString character = QString::fromUcs4(&point, 1);
        result += encode(character) ? character : QStringLiteral("?");
    }
    return result;
}

}  // namespace windows1252
