#include "worksearch/weekly_log_csv.h"

#include "jobsearch/job_search_rules.h"
#include "reports/csv_export.h"

#include <QDir>
#include <QFile>

namespace weekly_log_csv {

namespace {

using namespace worksearch;

QString dateText(const QDate& date) {
    return date.toString(Qt::ISODate);
}

QByteArray contactRecord(const Week& week, const Contact& contact) {
    return csv_export::record(
        {dateText(week.first), dateText(week.last), dateText(*contact.date), contact.time.trimmed(),
         contact.contactName.trimmed(),
         job_search::isTrue(contact.email) ? QStringLiteral("E-MAIL") : QStringLiteral("OTHER"),
         contact.title.trimmed(), contact.city.trimmed(), contact.state.trimmed(),
         contact.comment.trimmed()});
}

}  // namespace

QByteArray contactsBytes(const WeeklyLog& log) {
    QByteArray file = csv_export::record({"week_start", "week_end", "date", "time", "contact_name",
                                          "method", "position_title", "city", "state", "comment"});
    for (const Week& week : log.weeks)
        for (const Contact& contact : week.counted)
            file += contactRecord(week, contact);
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

void write(const WeeklyLog& log, const QString& folder, whole_file::Existing existing) {
    const QDir dir(folder);
    whole_file::Writer contacts(dir.filePath(kContactsFileName), existing);
    whole_file::Writer summary(dir.filePath(kSummaryFileName), existing);
    contacts.write(contactsBytes(log));
    summary.write(summaryBytes(log));
    contacts.commit();
    try {
        summary.commit();
    } catch (const whole_file::WriteError&) {
        if (existing == whole_file::Existing::Refuse)
            QFile::remove(contacts.path());
        throw;
    }
}

}  // namespace weekly_log_csv
