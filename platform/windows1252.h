#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Stored text is 8-bit Windows-1252, one byte per character, as in the
// original program's databases, backups and reports.
namespace windows1252 {

// The bytes of a text; nothing when a character has no Windows-1252 byte.
std::optional<QByteArray> encode(const QString& text);
QString decode(const QByteArray& bytes);

// The first character of the text that Windows-1252 cannot hold (both
// halves of a surrogate pair), or an empty text when it can hold them all.
QString firstUnstorable(const QString& text);
// The text with each character Windows-1252 cannot hold as "?": for text
// that only names something (a file), where refusing would be worse.
QString storable(const QString& text);

}  // namespace windows1252
