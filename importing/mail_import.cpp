#include "importing/mail_import.h"

#include "datastore/record_entries.h"
#include "datastore/table_names.h"
#include "importing/import_run.h"
#include "importing/line_reader.h"
#include "platform/database_error.h"
#include "platform/kbx.h"
#include "platform/termination_signals.h"
#include "platform/transaction.h"
#include "platform/windows1252.h"

#include <QFile>

namespace mail_import {

namespace {

const QString kEstimating = QStringLiteral(
    "Estimating number of input records..this is based on filesize, it may be more or less..");

void logStart(MailKind kind, const Log& log) {
    switch (kind) {
        case MailKind::CareerBuilder7:
            log(
                QStringLiteral("Adding Version (CareerBuilder Version 7 [Since 01 December 2003]) "
                               "Records To Database"));
            log(kEstimating);
            break;
        case MailKind::FourJobs:
            log(QStringLiteral("Adding 4jobs.com Records To Database"));
            log(kEstimating);
            break;
        case MailKind::Recruiter:
            log(QStringLiteral("Starting run"));
            break;
    }
}

const QString kNothingImported = QStringLiteral("Nothing of this file was imported.");

// The one history entry of an import, whatever the number of its records.
record_history::Entry historyEntry(MailKind kind, const ImportedFiles::File& file,
                                   const Report& report) {
    const QString name = windows1252::storable(file.path);
    const QString keys = QStringLiteral("%1 TO %2")
                             .arg(record_history::recordKey(report.firstKey),
                                  record_history::recordKey(report.lastKey));
    return {tables::jobSearch, keys, record_history::kAdded, QStringLiteral("IMPORT OF ") + name,
            record_history::factLines(
                {{QStringLiteral("FILE"), name},
                 {QStringLiteral("SHA256"), file.digest},
                 {QStringLiteral("IMPORTER"), kindName(kind)},
                 {QStringLiteral("RECORDS ADDED"), QString::number(report.records)},
                 {QStringLiteral("KEYS"), keys}})};
}

QString where(const QString& path, int line) {
    return line == 0 ? path : QStringLiteral("%1, line %2").arg(path).arg(line);
}

}  // namespace

Report importFile(MailKind kind, const QSqlDatabase& connection, const QString& path,
                  const Log& log, const Progress& progress,
                  const std::function<void(const Report&)>& beforeCommit) {
    const QString refusal = notAMailFile(path);
    if (!refusal.isEmpty())
        throw FileRefused(refusal);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ImportError(
            QStringLiteral("The file %1 cannot be opened: %2").arg(path, file.errorString()));
    logStart(kind, log);
    const qint64 size = file.size();
    LineReader reader(file);
    Report report;
    double lastKey = 0;
    int passLine = 0;  // the line the failing pass began with
    try {
        Transaction transaction(connection);
        ImportRun run(connection);
        const std::unique_ptr<MailParser> parser = makeParser(kind, path, log);
        do {
            passLine = reader.lineNumber();
            parser->handle(reader, run);
            ++report.passes;
            if (progress)
                progress(report.passes, reader.bytesRead(), size);
        } while (reader.read());
        report.records = run.records();
        report.firstKey = run.firstKey();
        report.lastKey = run.lastKey();
        lastKey = run.lastKey();
        if (report.records == 0)
            throw FileRefused(path + QStringLiteral(": no records of this kind found.\n") +
                              kNothingImported + QStringLiteral(" It is not marked as imported."));
        if (beforeCommit)
            beforeCommit(report);
        const TerminationDeferred whole;
        transaction.commit();
    } catch (const FileRefused&) {
        throw;
    } catch (const ImportError& error) {
        throw ImportError(where(path, passLine) + QStringLiteral(": ") + error.message() +
                          QStringLiteral("\n") + kNothingImported);
    } catch (const DatabaseError& error) {
        throw ImportError(where(path, passLine) + QStringLiteral(": ") + error.message() +
                          QStringLiteral("\n") + kNothingImported);
    }
    if (lastKey > 0)
        kbx::_kbx_refnum_record_used(lastKey);
    return report;
}

std::optional<Report> importOnce(MailKind kind, const QSqlDatabase& connection, const QString& path,
                                 const ImportAgain& importAgain, const Log& log,
                                 const Progress& progress) {
    const ImportedFiles imported(connection);
    const ImportedFiles::File file = imported.look(path);
    if (!file.importedBefore.isEmpty() && !importAgain(file))
        return std::nullopt;
    return importFile(kind, connection, path, log, progress, [&](const Report& report) {
        imported.record(file, kind, report.records);
        record_history::appendEntry(connection, historyEntry(kind, file, report));
    });
}

QString importedLine(const QString& path, int records) {
    return QStringLiteral("%1: %2 %3 imported.")
        .arg(path)
        .arg(records)
        .arg(records == 1 ? QStringLiteral("record") : QStringLiteral("records"));
}

}  // namespace mail_import
