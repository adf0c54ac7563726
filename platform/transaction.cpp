#include "platform/transaction.h"

#include "platform/database_error.h"

#include <QSqlError>

Transaction::Transaction(QSqlDatabase connection) : connection_(std::move(connection)) {
    if (!connection_.transaction())
        throw DatabaseError(QStringLiteral("Unable to begin a transaction: ") +
                            connection_.lastError().text());
    open_ = true;
}

Transaction::~Transaction() {
    if (open_)
        connection_.rollback();
}

void Transaction::commit() {
    open_ = false;
    if (!connection_.commit()) {
        const QString error = connection_.lastError().text();
        connection_.rollback();
        throw DatabaseError(QStringLiteral("Unable to commit the changes: ") + error);
    }
}
