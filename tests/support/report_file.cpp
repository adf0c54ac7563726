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

QHash<QString, QString> sampleParties() {
    return {{"MY_NAME", "PAT DOE"},
            {"MY_ADDRESS", "12 ELM STREET"},
            {"MY_CITY", "AUSTIN"},
            {"MY_STATE", "TX"},
            {"MY_ZIP", "78701"},
            {"EX_SPOUSE_NAME", "LEE DOE"},
            {"EX_SPOUSE_SSAN", "123-45-6789"},
            {"EX_SPOUSE_ADDRESS", "9 OAK LANE"},
            {"EX_SPOUSE_CITY", "DALLAS"},
            {"EX_SPOUSE_STATE", "TX"},
            {"EX_SPOUSE_ZIP", "75201"}};
}
