#include "evidence/evidence_pack.h"

#include "datastore/schema.h"
#include "datastore/table_names.h"
#include "evidence/history_csv.h"
#include "history/verification.h"
#include "maintenance/database_archive.h"
#include "obligations/arrears_csv.h"
#include "obligations/arrears_report.h"
#include "obligations/obligation_store.h"
#include "payments/payments_report.h"
#include "payments/proof_files.h"
#include "platform/kbx.h"
#include "platform/program_error.h"
#include "platform/termination_signals.h"
#include "reports/csv_export.h"
#include "reports/report_page.h"
#include "reports/report_text.h"
#include "reports/statistics_reports.h"
#include "worksearch/stored_weekly_log.h"
#include "worksearch/weekly_log_csv.h"
#include "worksearch/weekly_log_report.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <optional>

namespace evidence_pack {

namespace {

QByteArray sha256Of(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        throw ProgramError(QStringLiteral("%1 cannot be read.").arg(path));
    return hash.result().toHex();
}

// "name.pdf", then "name (2).pdf", "name (3).pdf", … as names repeat.
QString uniqueName(const QString& fileName, QSet<QString>& taken) {
    const QFileInfo file(fileName);
    const QString suffix = file.suffix().isEmpty() ? QString() : QLatin1Char('.') + file.suffix();
    const QString base = file.completeBaseName();
    QString name = fileName;
    for (int copy = 2; taken.contains(name); ++copy)
        name = QStringLiteral("%1 (%2)%3").arg(base).arg(copy).arg(suffix);
    taken.insert(name);
    return name;
}

// The files made for the pack, in a folder of their own that goes with it.
class Contents {
public:
    explicit Contents(const QString& temporaryFolder)
        : folder_(temporaryFolder + QStringLiteral("/pack-XXXXXX")) {
        if (!folder_.isValid())
            throw ProgramError(
                QStringLiteral("No folder for the evidence pack's files can be made in %1: %2")
                    .arg(temporaryFolder, folder_.errorString()));
        removedOnSignal_.emplace(folder_.path());
    }
    // A file of the pack's own that is not one of its entries.
    QString workFile(const QString& name) const { return folder_.filePath(name); }
    // A file to write under its name in the archive.
    QString add(const QString& name) {
        entries_.append({name, folder_.filePath(name)});
        return entries_.back().path;
    }
    void addExisting(const QString& name, const QString& path) { entries_.append({name, path}); }
    const QList<database_archive::ArchiveEntry>& entries() const { return entries_; }

private:
    QTemporaryDir folder_;
    std::optional<RemovedOnTermination> removedOnSignal_;
    QList<database_archive::ArchiveEntry> entries_;
};

QString period(const Request& request) {
    return request.from.toString(Qt::ISODate) + QStringLiteral(" to ") +
           request.to.toString(Qt::ISODate);
}

// The statistics reports count every record of the database; their pack's
// copy says so first.
QStringList wholeDatabase(QStringList lines, const Request& request) {
    const auto text = [](const QDate& date) {
        return kbx::_kbx_Date_To_MM_DD_YYYY(QDateTime(date, QTime(), Qt::UTC));
    };
    lines.prepend(
        QStringLiteral("THIS REPORT COUNTS ALL RECORDS, NOT ONLY THOSE OF THE PERIOD %1 TO %2")
            .arg(text(request.from), text(request.to)));
    return lines;
}

void addReports(const QSqlDatabase& connection, const Request& request, Contents& contents) {
    const QStringList payments =
        payments_report::build(connection, payments_report::everyAmountAndDateTicks(),
                               payments_report::itemDates(request.from, request.to));
    constexpr whole_file::Existing fresh = whole_file::Existing::Refuse;
    writeReportPdf(contents.add(QStringLiteral("payments_report.pdf")), payments, fresh);
    report_text::writeReportFile(contents.add(QStringLiteral("payments_report.txt")), payments,
                                 fresh);
    report_text::writeReportFile(
        contents.add(QStringLiteral("title_statistics.txt")),
        wholeDatabase(statistics_reports::titleReport(connection, kbx::_kbx_ComputerName()),
                      request),
        fresh);
    report_text::writeReportFile(
        contents.add(QStringLiteral("state_statistics.txt")),
        wholeDatabase(statistics_reports::stateReport(connection), request), fresh);
}

// The arrears statement of the period with payments counted on their date
// sent, as text, as PDF and its amounts due as CSV.
void addArrears(const QSqlDatabase& connection, const Request& request, Contents& contents) {
    const obligations::ArrearsStatement statement = obligations::storedStatement(
        connection, request.from, request.to, obligations::CountingDate::Sent);
    const QStringList lines =
        arrears_report::build(statement, report_text::configuration(connection));
    constexpr whole_file::Existing fresh = whole_file::Existing::Refuse;
    writeReportPdf(contents.add(QStringLiteral("arrears_statement.pdf")), lines, fresh);
    report_text::writeReportFile(contents.add(QStringLiteral("arrears_statement.txt")), lines,
                                 fresh);
    arrears_csv::write(statement, contents.add(QLatin1String(arrears_csv::kFileName)), fresh);
}

// The weekly work-search log of the period's weeks under the stored rules,
// as text, as PDF and as its two CSV files.
void addWeeklyLog(const QSqlDatabase& connection, const Request& request, Contents& contents) {
    const worksearch::WeeklyLog log =
        worksearch::storedWeeklyLog(connection, request.from, request.to);
    const QStringList lines = weekly_log_report::build(log, report_text::configuration(connection));
    constexpr whole_file::Existing fresh = whole_file::Existing::Refuse;
    writeReportPdf(contents.add(QStringLiteral("weekly_work_search.pdf")), lines, fresh);
    report_text::writeReportFile(contents.add(QStringLiteral("weekly_work_search.txt")), lines,
                                 fresh);
    whole_file::write(contents.add(QLatin1String(weekly_log_csv::kContactsFileName)),
                      weekly_log_csv::contactsBytes(log), fresh);
    whole_file::write(contents.add(QLatin1String(weekly_log_csv::kSummaryFileName)),
                      weekly_log_csv::summaryBytes(log), fresh);
}

void addRecords(const QSqlDatabase& connection, const Request& request, Contents& contents) {
    csv_export::exportTable(connection, schema::table(tables::payments),
                            {dateBetween(columns::payments::itemDate, request.from, request.to)},
                            contents.add(QStringLiteral("payments.csv")),
                            whole_file::Existing::Refuse);
    csv_export::exportTable(connection, schema::table(tables::jobSearch),
                            {dateBetween(columns::jobSearch::date, request.from, request.to)},
                            contents.add(QStringLiteral("job_search.csv")),
                            whole_file::Existing::Refuse);
}

// The period's history, and what the check of the whole history found as
// the batch tool prints it; a check that fails is written all the same.
bool addHistory(const QSqlDatabase& connection, const Request& request, Contents& contents) {
    writeHistoryCsv(connection, request.from, request.to,
                    contents.add(QStringLiteral("history.csv")));
    const history::Verification verification = history::verification(connection);
    whole_file::write(contents.add(QStringLiteral("history_check.txt")),
                      (verification.lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(),
                      whole_file::Existing::Refuse);
    return verification.holds;
}

// Each proof file once, however many payments name it.
QStringList addProofs(const QSqlDatabase& connection, const Request& request, Contents& contents) {
    QStringList missing;
    QSet<QString> added, taken;
    for (const proof_files::Proof& proof :
         proof_files::namedProofs(connection, request.from, request.to)) {
        if (proof_files::isMissing(proof.path)) {
            missing << QStringLiteral("%1  %2: %3")
                           .arg(proof.itemDate.toString(Qt::ISODate), proof.category, proof.path);
            continue;
        }
        if (added.contains(proof.path))
            continue;
        added.insert(proof.path);
        contents.addExisting(
            QStringLiteral("proofs/") + uniqueName(QFileInfo(proof.path).fileName(), taken),
            proof.path);
    }
    return missing;
}

void writeManifest(const Request& request, const QStringList& missing, Contents& contents) {
    QStringList lines{
        QStringLiteral("Evidence pack of the Quorvel4 database %1").arg(request.databaseName),
        QStringLiteral("Period: %1").arg(period(request)),
        QStringLiteral("Made: %1").arg(request.made.toString(Qt::ISODateWithMs)), QString(),
        QStringLiteral("SHA-256 of every other file of this archive (sha256sum -c reads these "
                       "lines):")};
    for (const database_archive::ArchiveEntry& entry : contents.entries())
        lines << QString::fromLatin1(sha256Of(entry.path)) + QStringLiteral("  ") + entry.name;
    lines << QString()
          << (missing.isEmpty()
                  ? QStringLiteral("Every proof file the period's payments name is included.")
                  : QStringLiteral("Proof files named by the period's payments but missing:"));
    for (const QString& line : missing)
        lines << QStringLiteral("  ") + line;
    whole_file::write(contents.add(QStringLiteral("manifest.txt")),
                      (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(),
                      whole_file::Existing::Refuse);
}

}  // namespace

Packed pack(const QSqlDatabase& connection, const Request& request) {
    Contents contents(request.temporaryFolder);
    addReports(connection, request, contents);
    addArrears(connection, request, contents);
    addWeeklyLog(connection, request, contents);
    addRecords(connection, request, contents);
    Packed packed;
    packed.historyHolds = addHistory(connection, request, contents);
    packed.missingProofs = addProofs(connection, request, contents);
    writeManifest(request, packed.missingProofs, contents);
    // The archive is made beside the pack's files and only then copied to
    // where it goes, which may be another file system.
    const QString archive = contents.workFile(QStringLiteral("pack.zip"));
    database_archive::writeArchive(contents.entries(), archive, false);
    whole_file::copy(archive, request.archivePath, request.existing);
    for (const database_archive::ArchiveEntry& entry : contents.entries())
        packed.files << entry.name;
    return packed;
}

}  // namespace evidence_pack
