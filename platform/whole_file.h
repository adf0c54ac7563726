#pragma once

#include "platform/program_error.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Every file the program writes is written whole or not at all: the bytes go
// into an unnamed file in the target's folder, every write is checked, the
// file is synced to the disk and only then given its name. A failure leaves
// nothing under that name and is reported with the system's reason ("No
// space left on device"). Files are readable by their owner only.
namespace whole_file {

class WriteError : public ProgramError {
public:
    // `error`: the system's error number, 0 when the failure has none.
    explicit WriteError(const QString& message, int error = 0);
    int systemError() const { return error_; }

private:
    int error_;
};

enum class Existing { Refuse, Replace };

// The system's text for an error number.
QString systemReason(int error);

// A file being written. Nothing is visible under its name until commit();
// destroyed before that, the written bytes vanish.
class Writer {
public:
    // Throws WriteError when the folder takes no new file.
    Writer(const QString& path, Existing existing);
    ~Writer();
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    void write(const char* bytes, qint64 size);
    void write(const QByteArray& bytes) { write(bytes.constData(), bytes.size()); }
    // Flushes what was written to the disk now, so that a later commit()
    // names the file without waiting for it.
    void sync();
    // Syncs the file, names it and syncs its folder. With Existing::Refuse a
    // file that appeared under the name meanwhile is left alone and the
    // write fails.
    void commit();

    QString path() const { return path_; }
    // Whether commit() gave the file its name, also where it failed after.
    bool isNamed() const { return committed_; }

private:
    [[noreturn]] void fail(const QString& what, int error);
    QString path_;
    Existing existing_;
    int descriptor_ = -1;
    QString namedTemporary_;  // only where the file system has no unnamed files
    bool committed_ = false;
};

// Whether anything holds the name `path`: a file, a folder, or a link, also
// one that leads nowhere.
bool isTaken(const QString& path);

// Writes `bytes` to `path` whole or not at all.
void write(const QString& path, const QByteArray& bytes, Existing existing);

// Writes two files that belong together (a log and its summary): both are
// written and synced before either is named, so that the names follow each
// other closely, and should the second not be named, the first is taken
// away again or the file it replaced put back. Throws WriteError.
void writePair(const QString& firstPath, const QByteArray& firstBytes, const QString& secondPath,
               const QByteArray& secondBytes, Existing existing);

// Copies the file `source` to `path` whole or not at all.
void copy(const QString& source, const QString& path, Existing existing);

// Gives a file another program wrote under a temporary name (an archive, a
// backup, a restored database) its final name: syncs it, renames it, syncs
// the folder. With Existing::Refuse an existing file is never replaced.
// The temporary file is removed when this fails.
void publish(const QString& temporaryPath, const QString& path, Existing existing);
// Makes every missing level of `folder` for its owner only (0700, whatever
// the umask) and returns the levels it made, the highest first. Throws
// WriteError with the system's reason when a level cannot be made.
QStringList makeFolders(const QString& folder);

}  // namespace whole_file
