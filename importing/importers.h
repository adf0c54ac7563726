#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class ImportRun;
class LineReader;

// The three kinds of saved mail the program imports.
enum class MailKind { CareerBuilder7, FourJobs, Recruiter };

// The short name of a kind, as the batch tool takes it and the record of
// imported files keeps it: "cb7", "4jobs", "recruiter"; and the kind of a name.
QString kindName(MailKind kind);
std::optional<MailKind> kindNamed(const QString& name);

// Reads the lines of one kind of saved mail and records what they say.
// handle() sees the buffer of each pass of the reading loop, the empty one
// first, and may read further lines itself.
class MailParser {
public:
    using Log = std::function<void(const QString&)>;
    virtual ~MailParser() = default;
    virtual void handle(LineReader& reader, ImportRun& run) = 0;
};

// A parser for one run over the file at `path` (its records name the file).
std::unique_ptr<MailParser> makeParser(MailKind kind, const QString& path,
                                       const MailParser::Log& log);

// The domain names recorded as the contact of an alert's jobs.
inline const QString kCareerBuilderDomain = QStringLiteral("CAREERBUILDER.COM");
inline const QString kFourJobsDomain = QStringLiteral("4JOBS.COM");
