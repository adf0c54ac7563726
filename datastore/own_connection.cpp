#include "datastore/own_connection.h"

#include "datastore/locations.h"
#include "platform/database_error.h"

#include <QSqlError>

namespace {
const QString kConnectionName = QStringLiteral("own_connection");
}  // namespace

void onOwnConnection(const QString& path, const std::function<void(const QSqlDatabase&)>& work) {
    QString failure;
    {
        QSqlDatabase connection =
            QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), kConnectionName);
        const fb::Account account = databaseAccount();
        connection.setDatabaseName(path);
        connection.setUserName(account.user);
        connection.setPassword(account.password);
        try {
            if (!connection.open())
                throw DatabaseError(connection.lastError().text());
            work(connection);
        } catch (const DatabaseError& error) {
            failure = error.message();
        }
        connection.close();
    }
    QSqlDatabase::removeDatabase(kConnectionName);
    if (!failure.isEmpty())
        throw DatabaseError(failure);
}
