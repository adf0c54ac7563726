#include "importing/importers.h"

#include "importing/import_run.h"
#include "importing/line_reader.h"
#include "importing/mail_text.h"
#include "platform/kbx.h"

#include <QStringList>

#include <utility>

using namespace mail_text;

namespace {

const QString kAutomatedEmail = QStringLiteral("AUTOMATED E-MAIL");

// The date of a sent line ("Sent: December 01, 2003 10:15 AM"): the second
// blank-delimited token is the month, the text up to the next comma the
// day, the next blank-delimited token the year.
struct SentDate {
    QString month, day, year;
    int line = 0;
    QString text() const { return month + '/' + day + '/' + year; }
};

SentDate sentDate(Tokens& tokens, int line) {
    SentDate date;
    date.line = line;
    date.month = monthNumber(tokens.next(QStringLiteral(" ")));
    date.day = tokens.next(QStringLiteral(","));
    date.year = tokens.next(QStringLiteral(" "));
    return date;
}

// An alert's job: the values the two alert importers share.
ImportedJob alertJob(const SentDate& date, const QString& domain, const QString& city,
                     const QString& state, const QString& title, const QString& itemFile) {
    ImportedJob job;
    job.dateText = date.text();
    job.dateLine = date.line;
    job.contactName = domain;
    job.email = QStringLiteral("TRUE");
    job.active = QStringLiteral("FALSE");
    job.city = city;
    job.state = state;
    job.title = title;
    job.submitted = QStringLiteral("FALSE");
    job.reason = kAutomatedEmail;
    job.itemFile = itemFile;
    return job;
}

// The codes a location line may start with before the "US-" the newer
// alerts put in front of them.
const QStringList kPrefixedStates = {
    "AK", "AL", "AP", "AR", "AS", "AZ", "CA", "CO", "CT", "DC", "DE", "FL", "FM", "GA", "GU",
    "HI", "IA", "ID", "IL", "IN", "KS", "KY", "LA", "MA", "MD", "ME", "MH", "MI", "MN", "MO",
    "MP", "MS", "MT", "NC", "ND", "NE", "NH", "NJ", "NM", "NV", "NY", "OH", "OK", "OR", "PA",
    "PR", "RI", "SC", "SD", "TN", "TX", "UT", "VA", "VI", "VT", "WA", "WI", "WV", "WY"};

class CareerBuilder7Parser : public MailParser {
public:
    explicit CareerBuilder7Parser(const QString& path) : itemFile_(kbx::path_without_drive(path)) {}

    void handle(LineReader& reader, ImportRun& run) override {
        QString line = reader.line();
        const int marker = pos(QStringLiteral("Personal Search Agent has found"), line);
        if (marker > 0) {
            const int quote = pos(QStringLiteral("\""), line);
            agent_ = trim(copy(line, quote + 1, marker - quote - 3));
        }
        if (copy(line, 1, 5) == QLatin1String("Sent:")) {
            Tokens tokens(line);
            tokens.next(QStringLiteral(" "));
            date_ = sentDate(tokens, reader.lineNumber());
        }
        if (pos(QStringLiteral(" SEARCH AGENT:"), line) > 0) {
            const int refine = pos(QStringLiteral("Refine"), line);
            agent_ = refine > 0 ? trim(copy(line, 1, refine - 1)) : QString();
        }
        for (const QString& state : kPrefixedStates)
            if (copy(line, 1, 3) == state + '-')
                line = QStringLiteral("US-") + line;
        if (copy(line, 1, 3) == QLatin1String("US-"))
            recordLocation(line, reader, run);
    }

private:
    void recordLocation(const QString& line, LineReader& reader, ImportRun& run) {
        const QString state = copy(line, 4, 2);
        const QString city = upper(trim(copy(line, 7, 100)));
        reader.read();
        const QString title = trim(reader.line());
        ImportedJob job = alertJob(date_, kCareerBuilderDomain, city, state, title, itemFile_);
        job.comment = QStringLiteral("SEARCH AGENT NAME: ") + agent_;
        run.addRecord(job);
    }

    QString itemFile_;
    QString agent_;
    SentDate date_;
};

class FourJobsParser : public MailParser {
public:
    explicit FourJobsParser(const QString& path) : itemFile_(kbx::path_without_drive(path)) {}

    void handle(LineReader& reader, ImportRun& run) override {
        const QString& line = reader.line();
        if (copy(line, 1, 5) == QLatin1String("Sent:")) {
            Tokens tokens(line);
            tokens.next(QStringLiteral(" "));
            date_ = sentDate(tokens, reader.lineNumber());
        }
        if (copy(line, 1, 6) == QLatin1String("Title:")) {
            const QString text = copy(line, 8, 255);
            const int link = pos(QStringLiteral("<http:"), text);
            title_ = trim(link > 0 ? copy(text, 1, link - 2) : text);
        }
        if (copy(line, 1, 9) == QLatin1String("Location:")) {
            const QString text = copy(line, 11, 100);
            const int comma = pos(QStringLiteral(", "), text);
            const QString city = upper(trim(copy(text, 1, comma - 1)));
            const QString state = copy(text, comma + 2, 2);
            run.addRecord(alertJob(date_, kFourJobsDomain, city, state, title_, itemFile_));
        }
    }

private:
    QString itemFile_;
    QString title_;
    SentDate date_;
};

// One record per e-mail with a subject line, dated by the sent line and
// attributed to the sender above it.
class RecruiterParser : public MailParser {
public:
    RecruiterParser(const QString& path, const Log& log) : path_(path), log_(log) {}

    void handle(LineReader& reader, ImportRun& run) override {
        const QString line = upper(trim(reader.line()));
        if (copy(line, 1, 5) == QLatin1String("FROM:")) {
            log_(line);
            sender_ = copy(line, 7, 100);
            const int bracket = pos(QStringLiteral("["), sender_);
            if (bracket > 0)
                sender_ = copy(sender_, 1, bracket - 2);
            if (sender_.contains(kSurname))
                sender_ = QStringLiteral("ROY VANTERLY");
        }
        if (copy(line, 1, 5) == QLatin1String("SENT:")) {
            log_(line);
            dateText_ = line.contains('/') ? numericDate(line) : writtenDate(reader.line());
            dateLine_ = reader.lineNumber();
        }
        if (copy(line, 1, 3) == QLatin1String("TO:"))
            log_(copy(line, 5, 100));
        if (copy(line, 1, 8) == QLatin1String("SUBJECT:")) {
            log_(line);
            run.addRecord(contact());
        }
    }

private:
    static inline const QString kSurname = QStringLiteral("VANTERLY");

    // "SENT: 12/1/2003 10:15 AM" gives "12/1/2003".
    static QString numericDate(const QString& line) {
        const QString text = trim(line.mid(5));
        const QString date = text.left(text.indexOf(' ') < 0 ? text.size() : text.indexOf(' '));
        const QDate read = monthDayYear(date);
        if (!read.isValid())
            throw ImportError(QStringLiteral("The sent date \"%1\" is not a date.").arg(date));
        return QStringLiteral("%1/%2/%3").arg(read.month()).arg(read.day()).arg(read.year());
    }

    // "Sent: Monday, December 01, 2003 10:15 AM" gives "12/01/2003".
    static QString writtenDate(const QString& rawLine) {
        Tokens tokens(rawLine);
        tokens.next(QStringLiteral(","));
        const QString month = monthNumber(tokens.next(QStringLiteral(" ")));
        const QString day = tokens.next(QStringLiteral(","));
        const QString year = tokens.next(QStringLiteral(" ")).left(4);
        return month + '/' + day + '/' + year;
    }

    ImportedJob contact() const {
        ImportedJob job;
        job.dateText = dateText_;
        job.dateLine = dateLine_;
        job.contactName = sender_;
        job.email = QStringLiteral("TRUE");
        job.city = QStringLiteral("N/A");
        job.cityFromPickList = false;
        job.state = QStringLiteral("NA");
        job.title = QStringLiteral("EMAIL BETWEEN A RECRUITER AND MYSELF");
        job.submitted = QStringLiteral("FALSE");
        job.reason = QStringLiteral("AUTOMATED SCAN OF MAILBOX");
        job.itemFile = path_;
        for (const char* owner : {"VANTERLY", "ZORBALEEN", "LTBRIMOS"})
            if (sender_.contains(QLatin1String(owner)))
                job.comment = QStringLiteral("FROM ME");
        return job;
    }

    QString path_;
    Log log_;
    QString sender_;
    QString dateText_;
    int dateLine_ = 0;
};

const std::pair<MailKind, const char*> kKindNames[] = {{MailKind::CareerBuilder7, "cb7"},
                                                       {MailKind::FourJobs, "4jobs"},
                                                       {MailKind::Recruiter, "recruiter"}};

}  // namespace

QString kindName(MailKind kind) {
    for (const auto& [each, name] : kKindNames)
        if (each == kind)
            return QString::fromLatin1(name);
    return QString();
}

std::optional<MailKind> kindNamed(const QString& name) {
    for (const auto& [kind, each] : kKindNames)
        if (name == QLatin1String(each))
            return kind;
    return std::nullopt;
}

std::unique_ptr<MailParser> makeParser(MailKind kind, const QString& path,
                                       const MailParser::Log& log) {
    switch (kind) {
        case MailKind::CareerBuilder7:
            return std::make_unique<CareerBuilder7Parser>(path);
        case MailKind::FourJobs:
            return std::make_unique<FourJobsParser>(path);
        case MailKind::Recruiter:
            return std::make_unique<RecruiterParser>(path, log);
    }
    return nullptr;
}
