#include "tests/support/report_file.h"

#include <QFile>

QByteArray fileBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll()
                                          : QByteArray("(no file " + path.toUtf8() + ")");
}

QByteArray goldenBytes(const QString& listing) {
    return bytesOf(QStringLiteral(Q4_TESTS_DIR "/") + listing);
}
