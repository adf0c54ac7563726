#pragma once

#include <QSqlDatabase>

#include <utility>

// The writes that belong together, on one connection: the transaction begins
// when the guard is made; commit() makes every write permanent; a guard that
// goes out of scope uncommitted, because an exception left the scope, rolls
// every write back. Failures are thrown as DatabaseError.
class Transaction {
public:
    explicit Transaction(QSqlDatabase connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    QSqlDatabase connection_;
    bool open_ = false;
};

// Runs `work` in one transaction: committed when it returns, rolled back
// when it throws.
template <typename Work>
void inTransaction(const QSqlDatabase& connection, Work&& work) {
    Transaction transaction(connection);
    std::forward<Work>(work)();
    transaction.commit();
}
