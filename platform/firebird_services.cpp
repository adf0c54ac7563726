#include "platform/firebird_services.h"

#include "platform/database_error.h"
#include "platform/firebird_api.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <cstdio>

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

    // Reads the progress lines until the service says its output has ended,
    // and returns whether one of them contained `completion`. A failure of
    // the service comes back as the error of a query.
    bool readLines(const ServiceLine& line, const char* completion) {
        bool completed = false;
        const unsigned char item = isc_info_svc_line;
        std::array<unsigned char, 16384> answer{};
        for (;;) {
            Status status;
            service_->query(status.wrapper(), 0, nullptr, 1, &item, unsigned(answer.size()),
                            answer.data());
            status.throwIfFailed();
            if (answer[0] != isc_info_svc_line)
                return completed;
            const int length = answer[1] | (answer[2] << 8);  // little-endian
            if (length == 0)
                return completed;
            const QString text =
                QString::fromUtf8(reinterpret_cast<const char*>(&answer[3]), length);
            completed = completed || text.contains(QLatin1String(completion));
            line(text);
        }
    }

private:
    Firebird::IService* service_ = nullptr;
};

}  // namespace

void keepEngineOffTheTerminal() {
    if (!std::freopen("/dev/null", "r", stdin))
        std::fclose(stdin);
}

void backup(const QString& database, const QString& backupFile, const Account& account,
            const ServiceLine& line) {
    ServiceManager manager(account);
    ParameterBlock request(IXpbBuilder::SPB_START);
    request.add(isc_action_svc_backup)
        .add(isc_spb_dbname, database)
        .add(isc_spb_bkp_file, backupFile)
        .add(isc_spb_verbose);
    manager.start(request);
    if (!manager.readLines(line, "closing file, committing, and finishing")) {
        QFile::remove(backupFile);
        throw DatabaseError(
            QStringLiteral("The backup of %1 did not complete; the incomplete file %2 was removed.")
                .arg(database, backupFile));
    }
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
    const bool existed = QFileInfo::exists(database);
    manager.start(request);
    // A backup that ends early ends the service without an error, leaving a
    // database that opens with part of the rows.
    if (!manager.readLines(line, "finishing, closing, and going home")) {
        bool removed = false;
        if (!existed) {
            try {
                removed = Attachment::drop(database, account);
            } catch (const DatabaseError&) {
            }
        }
        throw DatabaseError(
            QStringLiteral("The restore from %1 did not complete: the backup ends early or is "
                           "damaged. %2")
                .arg(backupFile, removed ? QStringLiteral("The incomplete database was removed.")
                                         : QStringLiteral("The incomplete database %1 must not "
                                                          "be used.")
                                               .arg(database)));
    }
}

}  // namespace fb
