#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Reads a mail file the way the importers always have: through a line
// buffer of 132 bytes, so that one read yields at most 131 characters with
// the line end kept, and a longer physical line comes as several reads. A
// line end is "\n" or "\r\n"; the "\r" of the pair is not counted. The text
// is 8-bit Windows-1252.
class LineReader {
public:
    static constexpr int kMostCharacters = 131;

    explicit LineReader(QIODevice& input);

    // The buffer: empty before the first read, then the last piece read.
    const QString& line() const { return line_; }
    // Reads the next piece into the buffer; at the end of the file returns
    // false and leaves the buffer as it was.
    bool read();
    // The physical line (from 1) the buffer's piece comes from; 0 before
    // the first read.
    int lineNumber() const { return lineNumber_; }
    // How many bytes of the input have been read.
    qint64 bytesRead() const { return consumed_; }

private:
    int nextByte();
    int peekByte();

    QIODevice& input_;
    QByteArray chunk_;
    int next_ = 0;
    qint64 consumed_ = 0;
    QString line_;
    int lineNumber_ = 0;
    bool atLineStart_ = true;
};
