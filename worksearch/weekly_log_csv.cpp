#include "worksearch/weekly_log_csv.h"

#include "jobsearch/job_search_rules.h"
#include "reports/csv_export.h"

#include <QDir>

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

void write(const WeeklyLog& log, const QString& folder, whole_file::Existing existing) {
    const QStringList named = paths(folder);
    whole_file::writePair(named[0], contactsBytes(log), named[1], summaryBytes(log), existing);
}

}  // namespace weekly_log_csv
