#include "importing/line_reader.h"

#include "platform/windows1252.h"

#include <QIODevice>

namespace {

constexpr qint64 kChunkBytes = 1 << 16;

}  // namespace

LineReader::LineReader(QIODevice& input) : input_(input) {}

int LineReader::peekByte() {
    if (next_ >= chunk_.size()) {
        chunk_ = input_.read(kChunkBytes);
        next_ = 0;
        if (chunk_.isEmpty())
            return -1;
    }
    return static_cast<unsigned char>(chunk_.at(next_));
}

int LineReader::nextByte() {
    const int byte = peekByte();
    if (byte >= 0) {
        ++next_;
        ++consumed_;
    }
    return byte;
}

bool LineReader::read() {
    QByteArray piece;
    while (piece.size() < kMostCharacters) {
        const int byte = nextByte();
        if (byte < 0)
            break;
        if (byte == '\r' && peekByte() == '\n')
            continue;
        piece.append(char(byte));
        if (byte == '\n')
            break;
    }
    if (piece.isEmpty())
        return false;
    if (atLineStart_)
        ++lineNumber_;
    atLineStart_ = piece.endsWith('\n');
    line_ = windows1252::decode(piece);
    return true;
}
