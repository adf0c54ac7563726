#include "tests/support/listing.h"

#include "tests/support/printers.h"

#include <QFile>

#include <gtest/gtest.h>

void expectListing(const QStringList& lines, const QString& listing) {
    QFile file(QStringLiteral(Q4_TESTS_DIR "/") + listing);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << listing.toStdString();
    const QStringList expected = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    for (qsizetype line = 0; line < std::max(lines.size(), expected.size()); ++line)
        EXPECT_EQ(lines.value(line), expected.value(line))
            << listing.toStdString() << ":" << line + 1;
}
