#include "platform/firebird.h"

#include "platform/firebird_api.h"

#include <utility>

namespace fb {
namespace {

using namespace detail;

enum class Open { Existing, New };

Firebird::IAttachment* openDatabase(const QString& path, ParameterBlock& block, Open how,
                                    Status& status) {
    Firebird::IProvider* provider = master()->getDispatcher();
    const QByteArray file = path.toUtf8();
    Firebird::IAttachment* attachment =
        how == Open::New ? provider->createDatabase(status.wrapper(), file.constData(),
                                                    block.length(), block.buffer())
                         : provider->attachDatabase(status.wrapper(), file.constData(),
                                                    block.length(), block.buffer());
    provider->release();
    return attachment;
}

Firebird::IAttachment* openDatabase(const QString& path, ParameterBlock& block, Open how) {
    Status status;
    Firebird::IAttachment* attachment = openDatabase(path, block, how, status);
    status.throwIfFailed();
    return attachment;
}

}  // namespace

Attachment::Attachment(Firebird::IAttachment* attachment) : attachment_(attachment) {}

Attachment::Attachment(Attachment&& other) noexcept
    : attachment_(std::exchange(other.attachment_, nullptr)) {}

Attachment& Attachment::operator=(Attachment&& other) noexcept {
    if (this != &other) {
        try {
            detach();
        } catch (const DatabaseError&) {
            // The engine frees an attachment whose detach failed.
        }
        attachment_ = std::exchange(other.attachment_, nullptr);
    }
    return *this;
}

Attachment::~Attachment() {
    try {
        detach();
    } catch (const DatabaseError&) {
        // A destructor cannot report; the engine frees the attachment anyway.
    }
}

Attachment Attachment::create(const QString& path, const CreateOptions& options) {
    ParameterBlock block;
    block.addAccount(options.account)
        .add(isc_dpb_page_size, options.pageSize)
        .add(isc_dpb_sql_dialect, options.sqlDialect)
        .add(isc_dpb_force_write, options.forcedWrites ? 1 : 0);
    if (options.pageBuffers > 0)
        block.add(isc_dpb_set_page_buffers, options.pageBuffers);
    return Attachment(openDatabase(path, block, Open::New));
}

Attachment Attachment::attach(const QString& path, const Account& account) {
    ParameterBlock block;
    block.addAccount(account);
    return Attachment(openDatabase(path, block, Open::Existing));
}

void Attachment::executeInOwnTransaction(const QString& sql) {
    executeInOneTransaction({sql});
}

void Attachment::executeInOneTransaction(const QStringList& statements) {
    if (!attachment_)
        throw DatabaseError(QStringLiteral("The database is not attached."));
    Status status;
    Firebird::ITransaction* transaction =
        attachment_->startTransaction(status.wrapper(), 0, nullptr);
    status.throwIfFailed();
    for (const QString& sql : statements) {
        const QByteArray text = sql.toUtf8();
        attachment_->execute(status.wrapper(), transaction, text.size(), text.constData(), 1,
                             nullptr, nullptr, nullptr, nullptr);
        if (status.failed())
            break;
    }
    if (!status.failed())
        transaction->commit(status.wrapper());
    if (status.failed()) {
        Status rollbackStatus;
        transaction->rollback(rollbackStatus.wrapper());
        if (rollbackStatus.failed())
            transaction->release();
        status.throwIfFailed();
    }
}

void Attachment::detach() {
    if (!attachment_)
        return;
    Status status;
    attachment_->detach(status.wrapper());
    Firebird::IAttachment* attachment = std::exchange(attachment_, nullptr);
    if (status.failed()) {
        attachment->release();
        status.throwIfFailed();
    }
}

bool Attachment::drop(const QString& path, const Account& account) {
    ParameterBlock block;
    block.addAccount(account);
    Status status;
    Firebird::IAttachment* attachment = openDatabase(path, block, Open::Existing, status);
    if (status.failedWith(isc_bad_db_format))
        return false;
    status.throwIfFailed();
    attachment->dropDatabase(status.wrapper());
    if (status.failed()) {
        Attachment(attachment).detach();
        status.throwIfFailed();
    }
    return true;
}

void Attachment::setForcedWrites(const QString& path, const Account& account, bool on) {
    ParameterBlock block;
    block.addAccount(account).add(isc_dpb_force_write, on ? 1 : 0);
    Attachment attachment(openDatabase(path, block, Open::Existing));
    attachment.detach();
}

void Attachment::setPageBuffers(const QString& path, const Account& account, int pages) {
    ParameterBlock block;
    block.addAccount(account).add(isc_dpb_set_page_buffers, pages);
    Attachment attachment(openDatabase(path, block, Open::Existing));
    attachment.detach();
}

}  // namespace fb
