#pragma once

#include <QString>
#include <QStringList>

namespace Firebird {
class IAttachment;
}

namespace fb {

struct Account {
    QString user;
    QString password;
};

struct CreateOptions {
    Account account;
    int pageSize = 4096;
    int sqlDialect = 1;
    bool forcedWrites = true;
    int pageBuffers = 0;  // pages of cache kept in the header; 0 leaves Firebird's default
};

// One attachment to a database through Firebird's own API. It detaches when
// it goes out of scope; every failure is thrown as DatabaseError.
class Attachment {
public:
    static Attachment create(const QString& path, const CreateOptions& options);
    static Attachment attach(const QString& path, const Account& account);
    // Deletes the database through Firebird, which refuses (DatabaseError)
    // while another attachment holds it. Returns false, leaving the file
    // alone, when the file is no database at all.
    static bool drop(const QString& path, const Account& account);
    // Switches the database's forced (synchronous) writes on or off. No other
    // attachment of this process may hold the file.
    static void setForcedWrites(const QString& path, const Account& account, bool on);
    // Stores in the database's header how many pages of cache the engine
    // keeps for it from its next opening on.
    static void setPageBuffers(const QString& path, const Account& account, int pages);

    Attachment(Attachment&& other) noexcept;
    Attachment& operator=(Attachment&& other) noexcept;
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;
    ~Attachment();

    // Runs one statement in SQL dialect 1 inside a transaction of its own,
    // committed when the statement succeeds and rolled back when it fails.
    void executeInOwnTransaction(const QString& sql);
    // Runs the statements in order in one transaction: committed when every
    // one succeeds, rolled back, leaving the database as it was, when one
    // fails.
    void executeInOneTransaction(const QStringList& statements);

    void detach();

private:
    explicit Attachment(Firebird::IAttachment* attachment);
    Firebird::IAttachment* attachment_ = nullptr;
};

}  // namespace fb
