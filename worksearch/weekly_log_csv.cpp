#include "worksearch/weekly_log_csv.h"

#include "jobsearch/job_search_rules.h"
#include "reports/csv_export.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <unistd.h>

#include <cstdio>
#include <optional>

namespace weekly_log_csv {

namespace {

using namespace worksearch;

QString dateText(const QDate& date) {
    return date.toString(Qt::ISODate);
}

const QString kEmail = QStringLiteral("E-MAIL");
const QString kOther = QStringLiteral("OTHER");

void appendContact(QByteArray& file, QStringView weekStart, QStringView weekEnd, QStringView date,
                   const Contact& contact) {
    csv_export::appendRecord(
        file, {weekStart, weekEnd, date, QStringView(contact.time).trimmed(),
               QStringView(contact.contactName).trimmed(),
               job_search::isTrue(contact.email) ? kEmail : kOther,
               QStringView(contact.title).trimmed(), QStringView(contact.city).trimmed(),
               QStringView(contact.state).trimmed(), QStringView(contact.comment).trimmed()});
}

// A file about to be replaced, kept under a second name (a hard link) until
// its replacement stands, to be put back should it not. Without a link (a
// file system without them) there is nothing to put back.
class KeptAside {
public:
    explicit KeptAside(const QString& path) : path_(path) {
        const QString aside = path + QStringLiteral(".former-") +
                              QString::number(QRandomGenerator::system()->generate64(), 36);
        if (::link(QFile::encodeName(path).constData(), QFile::encodeName(aside).constData()) == 0)
            aside_ = aside;
    }
    ~KeptAside() {
        if (!aside_.isEmpty())
            ::unlink(QFile::encodeName(aside_).constData());
    }
    KeptAside(const KeptAside&) = delete;
    KeptAside& operator=(const KeptAside&) = delete;

    void putBack() {
        if (!aside_.isEmpty() && ::rename(QFile::encodeName(aside_).constData(),
                                          QFile::encodeName(path_).constData()) == 0)
            aside_.clear();
    }

private:
    QString path_;
    QString aside_;
};

}  // namespace

QByteArray contactsBytes(const WeeklyLog& log) {
    QByteArray file = csv_export::record({"week_start", "week_end", "date", "time", "contact_name",
                                          "method", "position_title", "city", "state", "comment"});
    for (const Week& week : log.weeks) {
        const QString weekStart = dateText(week.first), weekEnd = dateText(week.last);
        QDate day;
        QString dayText;
        for (const Contact& contact : week.counted) {
            if (*contact.date != day)
                dayText = dateText(day = *contact.date);
            appendContact(file, weekStart, weekEnd, dayText, contact);
        }
    }
    return file;
}

QByteArray summaryBytes(const WeeklyLog& log) {
    QByteArray file =
        csv_export::record({"week_start", "week_end", "counted", "required", "status"});
    for (const Week& week : log.weeks)
        file += csv_export::record({dateText(week.first), dateText(week.last),
                                    QString::number(week.counted.size()),
                                    QString::number(week.required),
                                    week.met() ? QStringLiteral("MET") : QStringLiteral("SHORT")});
    return file;
}

QStringList paths(const QString& folder) {
    const QDir dir(folder);
    return {dir.filePath(QLatin1String(kContactsFileName)),
            dir.filePath(QLatin1String(kSummaryFileName))};
}

// Both files are written out and on the disk before either is given its
// name, so that the two names follow each other closely; should the second
// still fail to be named, the first is taken away again, or the file it
// replaced put back, so that a failed write leaves the pair that was there.
void write(const WeeklyLog& log, const QString& folder, whole_file::Existing existing) {
    const QStringList named = paths(folder);
    const bool contactsWereThere = whole_file::isTaken(named[0]);
    whole_file::Writer contacts(named[0], existing);
    contacts.write(contactsBytes(log));
    whole_file::Writer summary(named[1], existing);
    summary.write(summaryBytes(log));
    contacts.sync();
    summary.sync();
    std::optional<KeptAside> former;
    if (contactsWereThere && existing == whole_file::Existing::Replace)
        former.emplace(named[0]);
    contacts.commit();
    try {
        summary.commit();
    } catch (const whole_file::WriteError&) {
        if (!summary.isNamed() && former)
            former->putBack();
        else if (!summary.isNamed() && !contactsWereThere)
            QFile::remove(named[0]);
        throw;
    }
}

}  // namespace weekly_log_csv
