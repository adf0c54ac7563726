#include "platform/firebird_services.h"

#include "platform/firebird_api.h"

#include <array>

namespace fb {

namespace {

using namespace detail;

// One attachment to the service manager, detached when it goes out of scope.
class ServiceManager {
public:
    explicit ServiceManager(const Account& account) {
        ParameterBlock block(IXpbBuilder::SPB_ATTACH);
        block.addAccount(account);
        Status status;
        Firebird::IProvider* provider = master()->getDispatcher();
        service_ = provider->attachServiceManager(status.wrapper(), "service_mgr", block.length(),
                                                  block.buffer());
        provider->release();
        status.throwIfFailed();
    }
    ~ServiceManager() {
        Status status;
        service_->detach(status.wrapper());
        if (status.failed())
            service_->release();
    }
    ServiceManager(const ServiceManager&) = delete;
    ServiceManager& operator=(const ServiceManager&) = delete;

    void start(ParameterBlock& request) {
        Status status;
        service_->start(status.wrapper(), request.length(), request.buffer());
        status.throwIfFailed();
    }

    // Reads the progress lines until the service says its output has ended;
    // a failure of the service comes back as the error of a query.
    void readLines(const ServiceLine& line) {
        const unsigned char item = isc_info_svc_line;
        std::array<unsigned char, 16384> answer{};
        for (;;) {
            Status status;
            service_->query(status.wrapper(), 0, nullptr, 1, &item, unsigned(answer.size()),
                            answer.data());
            status.throwIfFailed();
            if (answer[0] != isc_info_svc_line)
                return;
            const int length = answer[1] | (answer[2] << 8);  // little-endian
            if (length == 0)
                return;
            line(QString::fromUtf8(reinterpret_cast<const char*>(&answer[3]), length));
        }
    }

private:
    Firebird::IService* service_ = nullptr;
};

}  // namespace

void backup(const QString& database, const QString& backupFile, const Account& account,
            const ServiceLine& line) {
    ServiceManager manager(account);
    ParameterBlock request(IXpbBuilder::SPB_START);
    request.add(isc_action_svc_backup)
        .add(isc_spb_dbname, database)
        .add(isc_spb_bkp_file, backupFile)
        .add(isc_spb_verbose);
    manager.start(request);
    manager.readLines(line);
}

void restore(const QString& backupFile, const QString& database, const Account& account,
             const RestoreOptions& options, const ServiceLine& line) {
    ServiceManager manager(account);
    ParameterBlock request(IXpbBuilder::SPB_START);
    request.add(isc_action_svc_restore)
        .add(isc_spb_bkp_file, backupFile)
        .add(isc_spb_dbname, database)
        .add(isc_spb_res_page_size, options.pageSize)
        .add(isc_spb_options, isc_spb_res_create)
        .add(isc_spb_verbose);
    if (options.pageBuffers > 0)
        request.add(isc_spb_res_buffers, options.pageBuffers);
    manager.start(request);
    manager.readLines(line);
}

}  // namespace fb
