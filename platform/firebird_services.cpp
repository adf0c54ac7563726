#include "platform/firebird_services.h"

#include "platform/database_error.h"
#include "platform/firebird_api.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <chrono>
#include <cstdio>
#include <thread>

namespace fb {

namespace {

using namespace detail;

struct ServiceOutput {
    bool completed = false;
    QString damage;  // the first line that shows the backup is damaged
};

// The lines with which gbak reads on over a damaged part of a backup: it
// completes, but rows or definitions are lost or wrong.
bool showsDamage(const QString& line) {
    return (line.contains(QLatin1String("do not recognize")) &&
            line.contains(QLatin1String("-- continuing"))) ||
           line.contains(QLatin1String("adjusting an invalid decompression length")) ||
           (line.contains(QLatin1String("skipped ")) && line.contains(QLatin1String(" bytes")));
}

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

    // Reads the progress lines until the service says its output has ended.
    // A failure of the service comes back as the error of a query.
    ServiceOutput readLines(const ServiceLine& line, const char* completion) {
        ServiceOutput output;
        const unsigned char item = isc_info_svc_line;
        std::array<unsigned char, 16384> answer{};
        for (;;) {
            Status status;
            service_->query(status.wrapper(), 0, nullptr, 1, &item, unsigned(answer.size()),
                            answer.data());
            status.throwIfFailed();
            if (answer[0] != isc_info_svc_line)
                return output;
            const int length = answer[1] | (answer[2] << 8);  // little-endian
            if (length == 0)
                return output;
            const QString text =
                QString::fromUtf8(reinterpret_cast<const char*>(&answer[3]), length);
            output.completed = output.completed || text.startsWith(QLatin1String(completion));
            if (output.damage.isEmpty() && showsDamage(text))
                output.damage = text.trimmed();
            line(text);
        }
    }

    // Waits until the service has ended and let go of its files.
    void waitUntilEnded() {
        const unsigned char item = isc_info_svc_running;
        std::array<unsigned char, 16> answer{};
        for (;;) {
            Status status;
            service_->query(status.wrapper(), 0, nullptr, 1, &item, unsigned(answer.size()),
                            answer.data());
            if (status.failed() || answer[0] != isc_info_svc_running ||
                (answer[1] | answer[2] | answer[3] | answer[4]) == 0)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
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

namespace {

// Runs a backup or restore to its end. Returns why it failed, or an empty
// text; the service has let go of every file by then.
QString runService(const Account& account, ParameterBlock& request, const ServiceLine& line,
                   const char* completion) {
    ServiceManager manager(account);
    manager.start(request);
    ServiceOutput output;
    QString failure;
    try {
        output = manager.readLines(line, completion);
    } catch (const DatabaseError& error) {
        failure = error.message();
    }
    manager.waitUntilEnded();
    if (failure.isEmpty() && !output.damage.isEmpty())
        failure = QStringLiteral("the backup is damaged (\"%1\")").arg(output.damage);
    if (failure.isEmpty() && !output.completed)
        failure = QStringLiteral("the backup ends early or is damaged");
    return failure;
}

}  // namespace

void removeDatabaseFile(const QString& path, const Account& account) {
    try {
        if (Attachment::drop(path, account))
            return;
    } catch (const DatabaseError&) {
    }
    QFile::remove(path);
}

void backup(const QString& database, const QString& backupFile, const Account& account,
            const ServiceLine& line) {
    ParameterBlock request(IXpbBuilder::SPB_START);
    request.add(isc_action_svc_backup)
        .add(isc_spb_dbname, database)
        .add(isc_spb_bkp_file, backupFile)
        .add(isc_spb_verbose);
    const QString failure =
        runService(account, request, line, "gbak:closing file, committing, and finishing");
    if (failure.isEmpty())
        return;
    QFile::remove(backupFile);
    throw DatabaseError(
        QStringLiteral("The backup of %1 did not complete: %2").arg(database, failure));
}

void restore(const QString& backupFile, const QString& database, const Account& account,
             const RestoreOptions& options, const ServiceLine& line) {
    ParameterBlock request(IXpbBuilder::SPB_START);
    request.add(isc_action_svc_restore)
        .add(isc_spb_bkp_file, backupFile)
        .add(isc_spb_dbname, database)
        .add(isc_spb_res_page_size, options.pageSize)
        .add(isc_spb_options, isc_spb_res_create)
        .add(isc_spb_verbose);
    if (options.pageBuffers > 0)
        request.add(isc_spb_res_buffers, options.pageBuffers);
    const bool existed = QFileInfo::exists(database) || QFileInfo(database).isSymLink();
    // A backup that ends early or is damaged may end the service without an
    // error, leaving a database that opens with part of the rows.
    const QString failure =
        runService(account, request, line, "gbak:finishing, closing, and going home");
    if (failure.isEmpty())
        return;
    if (!existed)
        removeDatabaseFile(database, account);
    throw DatabaseError(
        QStringLiteral("The restore from %1 did not complete: %2.%3")
            .arg(backupFile, failure,
                 existed ? QString() : QStringLiteral(" The incomplete database was removed.")));
}

}  // namespace fb
