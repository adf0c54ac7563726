#include "tests/support/version1_database.h"

#include "datastore/locations.h"
#include "platform/firebird.h"

#include <QFile>

#include <gtest/gtest.h>

void makeVersion1Database(const QString& path) {
    QFile statements(QStringLiteral(Q4_TESTS_DIR "/datastore/version1_database.sql"));
    ASSERT_TRUE(statements.open(QIODevice::ReadOnly | QIODevice::Text));
    fb::CreateOptions options{databaseAccount()};
    options.forcedWrites = false;
    fb::Attachment database = fb::Attachment::create(path, options);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    while (!statements.atEnd()) {
        const QString statement = QString::fromUtf8(statements.readLine()).trimmed();
        if (!statement.isEmpty())
            database.executeInOwnTransaction(statement);
    }
    database.detach();
}
