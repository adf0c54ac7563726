#include "tests/support/file_limits.h"

#include "platform/whole_file.h"

#include <QFile>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <exception>

QString underFileSizeLimit(rlim_t limit, const std::function<void()>& work) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return QStringLiteral("<no pipe>");
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limits{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &limits);
        QByteArray said = "<no failure>";
        try {
            work();
        } catch (const std::exception& error) {
            said = error.what();
        }
        [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], said.constData(), said.size());
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    QFile reader;
    reader.open(pipeEnds[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QString said = QString::fromUtf8(reader.readAll());
    ::waitpid(child, nullptr, 0);
    return said;
}

QString fileTooLarge() {
    return whole_file::systemReason(EFBIG);
}

unsigned modeOf(const QString& path) {
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}
