#include "platform/whole_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

namespace {

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<absent>");
}

// Runs `work` in a child process whose files may not grow past `limit`
// bytes, as on a full disk; returns what the child printed of its failure.
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
        } catch (const whole_file::WriteError& error) {
            said = error.what();
        }
        [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], said.constData(), said.size());
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    QFile reader;
    reader.open(pipeEnds[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    const QString said = QString::fromLocal8Bit(reader.readAll());
    ::waitpid(child, nullptr, 0);
    return said;
}

class WholeFileTest : public ::testing::Test {
protected:
    QString pathOf(const QString& name) const { return folder.filePath(name); }
    QStringList folderNames() const {
        return QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QTemporaryDir folder;
};

TEST_F(WholeFileTest, WritesForTheOwnerOnlyAndNeverReplacesUnlessAsked) {
    const mode_t previous = ::umask(0);
    whole_file::write(pathOf("report.txt"), "first", whole_file::Existing::Refuse);
    ::umask(previous);
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(pathOf("report.txt")).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);

    EXPECT_THROW(whole_file::write(pathOf("report.txt"), "second", whole_file::Existing::Refuse),
                 whole_file::WriteError);
    EXPECT_EQ(contentsOf(pathOf("report.txt")), "first");
    whole_file::write(pathOf("report.txt"), "third", whole_file::Existing::Replace);
    EXPECT_EQ(contentsOf(pathOf("report.txt")), "third");
    EXPECT_EQ(folderNames(), QStringList{"report.txt"});
}

TEST_F(WholeFileTest, AFullDiskFailsWithTheSystemsReasonAndLeavesNothingBehind) {
    const QString said = underFileSizeLimit(4096, [this] {
        whole_file::write(pathOf("big.csv"), QByteArray(100000, 'x'), whole_file::Existing::Refuse);
    });
    EXPECT_TRUE(said.contains("big.csv")) << said.toStdString();
    EXPECT_TRUE(said.contains("File too large")) << said.toStdString();
    EXPECT_TRUE(folderNames().isEmpty()) << folderNames().join(' ').toStdString();

    // A replacement that fails keeps the file it would have replaced.
    whole_file::write(pathOf("kept.txt"), "kept", whole_file::Existing::Refuse);
    underFileSizeLimit(4096, [this] {
        whole_file::write(pathOf("kept.txt"), QByteArray(100000, 'x'),
                          whole_file::Existing::Replace);
    });
    EXPECT_EQ(contentsOf(pathOf("kept.txt")), "kept");
    EXPECT_EQ(folderNames(), QStringList{"kept.txt"});
}

TEST_F(WholeFileTest, AWriteNeverCommittedLeavesNoFile) {
    {
        whole_file::Writer writer(pathOf("pack.zip"), whole_file::Existing::Refuse);
        writer.write("half");
    }
    EXPECT_TRUE(folderNames().isEmpty());
    EXPECT_THROW(whole_file::write(folder.path(), "x", whole_file::Existing::Replace),
                 whole_file::WriteError);
    EXPECT_THROW(whole_file::write(pathOf("no/such/folder.txt"), "x", whole_file::Existing::Refuse),
                 whole_file::WriteError);
}

TEST_F(WholeFileTest, PublishesAnotherProgramsFileWithoutReplacing) {
    whole_file::write(pathOf("a.part"), "new", whole_file::Existing::Refuse);
    whole_file::write(pathOf("a.gdk"), "old", whole_file::Existing::Refuse);
    EXPECT_THROW(whole_file::publish(pathOf("a.part"), pathOf("a.gdk"), whole_file::Existing::Refuse),
                 whole_file::WriteError);
    EXPECT_EQ(contentsOf(pathOf("a.gdk")), "old");
    EXPECT_EQ(folderNames(), QStringList{"a.gdk"});

    whole_file::write(pathOf("b.part"), "new", whole_file::Existing::Refuse);
    whole_file::publish(pathOf("b.part"), pathOf("b.gdk"), whole_file::Existing::Refuse);
    EXPECT_EQ(contentsOf(pathOf("b.gdk")), "new");
}

}  // namespace
