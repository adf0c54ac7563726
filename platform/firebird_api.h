#pragma once

// What the wrappers of Firebird's own API share: the master interface, a
// status vector that throws, and parameter blocks. Not for use outside
// platform/.

#include "platform/database_error.h"
#include "platform/firebird.h"

#include <firebird/Interface.h>

#include <QString>

namespace fb::detail {

using Firebird::CheckStatusWrapper;
using Firebird::IMaster;
using Firebird::IStatus;
using Firebird::IXpbBuilder;

inline IMaster* master() {
    return Firebird::fb_get_master_interface();
}

// A status vector that turns any error it collected into a DatabaseError.
class Status {
public:
    Status() : status_(master()->getStatus()), wrapper_(status_) {}
    ~Status() { status_->dispose(); }
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;

    CheckStatusWrapper* wrapper() { return &wrapper_; }

    bool failed() const { return wrapper_.getState() & IStatus::STATE_ERRORS; }
    // Whether the first error is `code`, one of Firebird's isc_ error codes.
    bool failedWith(intptr_t code) const {
        const intptr_t* errors = wrapper_.getErrors();
        return failed() && errors[0] == isc_arg_gds && errors[1] == code;
    }

    void throwIfFailed() {
        if (!failed())
            return;
        char text[2048];
        master()->getUtilInterface()->formatStatus(text, sizeof text, &wrapper_);
        wrapper_.init();
        throw DatabaseError(QString::fromUtf8(text).trimmed());
    }

private:
    IStatus* status_;
    CheckStatusWrapper wrapper_;
};

// A database parameter block, disposed when it goes out of scope.
class ParameterBlock {
public:
    // A database parameter block, or with IXpbBuilder::SPB_ATTACH or
    // SPB_START a service's.
    explicit ParameterBlock(unsigned kind = IXpbBuilder::DPB) {
        Status status;
        builder_ = master()->getUtilInterface()->getXpbBuilder(status.wrapper(), kind, nullptr, 0);
        status.throwIfFailed();
    }
    ~ParameterBlock() { builder_->dispose(); }
    ParameterBlock(const ParameterBlock&) = delete;
    ParameterBlock& operator=(const ParameterBlock&) = delete;

    ParameterBlock& add(unsigned char tag) {
        Status status;
        builder_->insertTag(status.wrapper(), tag);
        status.throwIfFailed();
        return *this;
    }
    ParameterBlock& add(unsigned char tag, int value) {
        Status status;
        builder_->insertInt(status.wrapper(), tag, value);
        status.throwIfFailed();
        return *this;
    }
    ParameterBlock& add(unsigned char tag, const QString& value) {
        Status status;
        builder_->insertString(status.wrapper(), tag, value.toUtf8().constData());
        status.throwIfFailed();
        return *this;
    }
    ParameterBlock& addAccount(const Account& account) {
        return add(isc_dpb_user_name, account.user).add(isc_dpb_password, account.password);
    }

    unsigned length() {
        Status status;
        const unsigned result = builder_->getBufferLength(status.wrapper());
        status.throwIfFailed();
        return result;
    }
    const unsigned char* buffer() {
        Status status;
        const unsigned char* result = builder_->getBuffer(status.wrapper());
        status.throwIfFailed();
        return result;
    }

private:
    IXpbBuilder* builder_ = nullptr;
};

}  // namespace fb::detail
