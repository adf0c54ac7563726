#include "batch/batch_commands.h"

#include "batch/arrears_command.h"
#include "batch/command_words.h"
#include "batch/history_commands.h"
#include "batch/obligation_commands.h"
#include "batch/printed_output.h"
#include "batch/weeks_command.h"

#include "datastore/data_module.h"
#include "datastore/instance_lock.h"
#include "datastore/locations.h"
#include "datastore/output_target.h"
#include "datastore/settings_store.h"
#include "datastore/table_names.h"
#include "evidence/evidence_pack.h"
#include "importing/imported_files.h"
#include "importing/mail_import.h"
#include "importing/title_steps.h"
#include "maintenance/backup_restore.h"
#include "maintenance/database_archive.h"
#include "maintenance/database_upgrade.h"
#include "maintenance/leftovers.h"
#include "payments/payments_report.h"
#include "payments/proof_files.h"
#include "platform/kbx.h"
#include "platform/program_error.h"
#include "platform/whole_file.h"
#include "reports/csv_export.h"
#include "reports/report_text.h"
#include "reports/statistics_reports.h"

#include <QFileInfo>

#include <functional>
#include <optional>
#include <vector>

namespace batch {

namespace {

// What every command works with.
struct Tool {
    const Locations& locations;
    SettingsStore& settings;
    QTextStream& out;
    QTextStream& err;
    const PdfWriter& writePdf;
};

using FolderWork = std::function<int()>;
using DatabaseWork = std::function<int(const CurrentDatabase&, TDataModule2&)>;

// What a command's words ask for: the work to run under the command's lock,
// or the exit status that ends the run before it (what is wrong printed).
struct Work {
    std::optional<int> ended{};
    FolderWork inFolders{};     // under Lock::Folders
    DatabaseWork onDatabase{};  // under the locks that open the current database
};

Work ended(int status) {
    return {status};
}
Work misuse(const Tool& tool, const QString& what) {
    return ended(misused(tool.err, what));
}

whole_file::Existing existingOf(bool replace) {
    return replace ? whole_file::Existing::Replace : whole_file::Existing::Refuse;
}

// Whether the tool may write `path`: never into the program's own folders
// or over a database, over another file only when asked to. Says why not.
bool mayWrite(const Locations& locations, const QString& path, bool replace, QTextStream& err) {
    QString refusal = output_target::refusal(locations, path);
    if (refusal.isEmpty() && !replace && whole_file::isTaken(path))
        refusal = QStringLiteral("%1 exists already; give --replace to replace it.").arg(path);
    if (!refusal.isEmpty())
        err << refusal << '\n';
    return refusal.isEmpty();
}

struct ImportCommand {
    MailKind kind;
    QStringList files;
    bool again = false;
};

// Imports each file in turn into the open database; the first file refused
// or failed ends the run, the files before it staying imported.
int importFiles(const ImportCommand& command, const CurrentDatabase& database,
                TDataModule2& dataModule, QTextStream& out, QTextStream& err) {
    const mail_import::ImportAgain again = [&](const ImportedFiles::File& file) {
        if (!command.again)
            err << file.path << ": its content was imported into " << database.name << " before ("
                << file.importedBefore << "); give --again to import it once more.\n";
        return command.again;
    };
    for (const QString& path : command.files) {
        const std::optional<mail_import::Report> report =
            mail_import::importOnce(command.kind, dataModule.connection(), path, again,
                                    [&out](const QString& line) { out << line << '\n'; }, {});
        if (!report)
            return 1;
        out << mail_import::importedLine(path, report->records) << '\n';
        out.flush();
    }
    return 0;
}

// "import cb7|4jobs|recruiter [--again] FILE...".
Work readImport(const Options& words, const Tool& tool) {
    const QString wrong = QStringLiteral("import takes cb7, 4jobs or recruiter and the files.");
    const std::optional<MailKind> kind = kindNamed(words.operands.value(0));
    if (words.operands.size() < 2 || !kind)
        return misuse(tool, wrong);
    ImportCommand command{*kind, words.operands.mid(1)};
    command.again = command.files.removeAll(QStringLiteral("--again")) > 0;
    if (command.files.isEmpty())
        return misuse(tool, wrong);
    return {
        .onDatabase = [command, &tool](const CurrentDatabase& database, TDataModule2& dataModule) {
            return importFiles(command, database, dataModule, tool.out, tool.err);
        }};
}

struct ExportCommand {
    QString table{};
    QString dateColumn{};
    QString path{};
    QDate from{};
    QDate to{};
    bool replace = false;
};

int exportRecords(const ExportCommand& command, const QSqlDatabase& connection, QTextStream& out) {
    const int records =
        csv_export::exportTable(connection, schema::table(command.table),
                                {dateBetween(command.dateColumn, command.from, command.to)},
                                command.path, existingOf(command.replace));
    out << records << " records exported to " << command.path << '\n';
    return 0;
}

// "export payments|jobs FILE [--from DATE] [--to DATE] [--replace]".
Work readExport(const Options& words, const Tool& tool) {
    if (words.operands.size() != 2 || !QStringList{"payments", "jobs"}.contains(words.operands[0]))
        return misuse(tool, QStringLiteral("export takes payments or jobs and one file."));
    const bool payments = words.operands[0] == QLatin1String("payments");
    const ExportCommand command{payments ? tables::payments : tables::jobSearch,
                                payments ? columns::payments::itemDate : columns::jobSearch::date,
                                words.operands[1],
                                words.from,
                                words.to,
                                words.replace};
    if (!mayWrite(tool.locations, command.path, command.replace, tool.err))
        return ended(1);
    return {.onDatabase = [command, &tool](const CurrentDatabase&, TDataModule2& dataModule) {
        return exportRecords(command, dataModule.connection(), tool.out);
    }};
}

int packEvidence(evidence_pack::Request request, const Locations& locations,
                 const CurrentDatabase& database, const QSqlDatabase& connection,
                 QTextStream& out) {
    request.databaseName = database.name;
    request.made = QDateTime::currentDateTime();
    request.temporaryFolder = locations.temporaryFolder();
    if (!locations.ensureFolder(request.temporaryFolder))
        throw ProgramError(QStringLiteral("%1 cannot be made.").arg(request.temporaryFolder));
    const evidence_pack::Packed packed = evidence_pack::pack(connection, request);
    out << "Evidence pack written to " << request.archivePath << ": " << packed.files.size()
        << " files\n";
    for (const QString& missing : packed.missingProofs)
        out << "Missing proof file: " << missing << '\n';
    if (!packed.historyHolds)
        out << evidence_pack::kHistoryFaults << '\n';
    return 0;
}

// "pack --from DATE --to DATE FILE [--replace]".
Work readPack(const Options& words, const Tool& tool) {
    if (!words.from.isValid() || !words.to.isValid() || words.operands.size() != 1)
        return misuse(tool, QStringLiteral("pack takes --from DATE, --to DATE and one file."));
    evidence_pack::Request request;
    request.from = words.from;
    request.to = words.to;
    request.archivePath = words.operands[0];
    request.existing = existingOf(words.replace);
    if (!mayWrite(tool.locations, request.archivePath, words.replace, tool.err))
        return ended(1);
    return {.onDatabase = [request, &tool](const CurrentDatabase& database,
                                           TDataModule2& dataModule) {
        return packEvidence(request, tool.locations, database, dataModule.connection(), tool.out);
    }};
}

int checkFiles(const QSqlDatabase& connection, QTextStream& out) {
    int named = 0, missing = 0;
    for (const proof_files::Proof& proof : proof_files::namedProofs(connection)) {
        ++named;
        if (!proof_files::isMissing(proof.path))
            continue;
        ++missing;
        out << proof.itemDate.toString(Qt::ISODate) << "  " << proof.category << "  (record "
            << QString::number(proof.pk, 'g', 15) << "): " << proof.path << " is missing\n";
    }
    out << named << " payments name an item file; " << missing << " of them are missing.\n";
    return missing == 0 ? 0 : 1;
}

Work readCheckFiles(const Options& words, const Tool& tool) {
    if (!words.operands.isEmpty())
        return misuse(tool, QStringLiteral("check-files takes no operand."));
    return {.onDatabase = [&tool](const CurrentDatabase&, TDataModule2& dataModule) {
        return checkFiles(dataModule.connection(), tool.out);
    }};
}

// "history verify" and "history show [--from DATE] [--to DATE] [--record KEY]".
Work readHistory(const Options& words, const Tool& tool) {
    const QString verb = words.operands.value(0);
    if (words.operands.size() != 1 ||
        (verb != QLatin1String("verify") && verb != QLatin1String("show")))
        return misuse(tool, QStringLiteral("history takes verify or show."));
    if (verb == QLatin1String("verify")) {
        if (words.from.isValid() || words.to.isValid() || !words.record.isEmpty())
            return misuse(tool, QStringLiteral("history verify takes no option."));
        return {.onDatabase = [&tool](const CurrentDatabase&, TDataModule2& dataModule) {
            return verifyHistory(dataModule.connection(), tool.out);
        }};
    }
    record_history::EntryFilter filter;
    if (words.from.isValid())
        filter.from = words.from;
    if (words.to.isValid())
        filter.to = words.to;
    filter.recordKey = words.record;
    return {.onDatabase = [filter, &tool](const CurrentDatabase&, TDataModule2& dataModule) {
        return showHistory(dataModule.connection(), filter, tool.out);
    }};
}

// "obligation add ..." and "obligation list".
Work readObligations(const Options& words, const Tool& tool) {
    if (words.operands == QStringList{QStringLiteral("list")}) {
        if (words.from.isValid() || words.to.isValid() || !words.values.isEmpty())
            return misuse(tool, QStringLiteral("obligation list takes no option."));
        return {.onDatabase = [&tool](const CurrentDatabase&, TDataModule2& dataModule) {
            return listObligations(dataModule.connection(), tool.out);
        }};
    }
    if (words.operands != QStringList{QStringLiteral("add")})
        return misuse(tool, QStringLiteral("obligation takes add or list."));
    QString wrong;
    const std::optional<obligations::Obligation> obligation = obligationOf(words, wrong);
    if (!obligation)
        return misuse(tool, wrong);
    return {.onDatabase = [obligation = *obligation, &tool](const CurrentDatabase&,
                                                            TDataModule2& dataModule) {
        return addObligation(dataModule.connection(), obligation, tool.out);
    }};
}

// Takes the lock that keeps the program's window and a second tool away,
// removes what a stopped run left, then runs `work`; a failure it throws is
// printed after what `work` printed.
int withLock(const Locations& locations, QTextStream& out, QTextStream& err,
             const std::function<int()>& work) {
    InstanceLock instance(locations);
    const QString refusal = instance.take();
    if (!refusal.isEmpty()) {
        err << refusal << '\n';
        return 1;
    }
    for (const QString& line : leftovers::removeLeftovers(locations))
        err << line << '\n';
    err.flush();
    try {
        return work();
    } catch (const ProgramError& error) {
        out.flush();
        err << error.message() << '\n';
    }
    return 1;
}

// Takes the lock and opens the current database: `work` then runs on it.
// The database worked on is named on `said`.
int onCurrentDatabase(const Locations& locations, SettingsStore& settings, QTextStream& said,
                      QTextStream& err,
                      const std::function<int(const CurrentDatabase&, TDataModule2&)>& work) {
    return withLock(locations, said, err, [&] {
        const CurrentDatabase database = settings.currentDatabase();
        if (database.name.isEmpty() || database.name == kFirstdb || database.path.isEmpty()) {
            err << "The current database is "
                << (database.name.isEmpty() ? "not set" : database.name)
                << ": 'firstdb' may not hold live data. Create or choose a live database in the "
                   "program first.\n";
            return 1;
        }
        const database_upgrade::Outcome upgrade = database_upgrade::bringUpToDate(
            locations, database.path, settings.importedFiles(database.name));
        if (!upgrade.failure.isEmpty())
            err << upgrade.failure << '\n';
        if (!upgrade.upgraded.isEmpty())
            err << upgrade.upgraded << '\n';
        TDataModule2 dataModule;
        dataModule.open(database.path);
        said << "Working on " << database.name << " (" << database.path << ")\n";
        said.flush();
        return work(database, dataModule);
    });
}

// "1,3-11" as the steps in that order; empty when the list is not one.
QList<int> stepsOf(const QString& list) {
    QList<int> steps;
    for (const QString& item : list.split(',')) {
        const QStringList range = item.split('-');
        bool firstRead = false, lastRead = false;
        const int first = range.value(0).toInt(&firstRead);
        const int last = range.size() == 2 ? range[1].toInt(&lastRead) : first;
        if (!firstRead || (range.size() == 2 && !lastRead) || range.size() > 2 || first < 1 ||
            last > 11 || first > last)
            return {};
        for (int step = first; step <= last; ++step)
            steps.append(step);
    }
    return steps;
}

int runSteps(const QList<int>& steps, TDataModule2& dataModule, QTextStream& out,
             QTextStream& err) {
    for (int step : steps) {
        out << title_steps::logLine(step) << '\n';
        try {
            const title_steps::Report report =
                title_steps::runStep(step, dataModule.connection(), QDate::currentDate());
            out << "  " << report.status1 << '\n';
            if (!report.status2.isEmpty())
                out << "  " << report.status2 << '\n';
            out.flush();
        } catch (const ProgramError& error) {
            err << "Step " << step << " failed and changed nothing: " << error.message() << '\n';
            return 1;
        }
    }
    return 0;
}

// "steps LIST".
Work readSteps(const Options& words, const Tool& tool) {
    const QList<int> steps = words.operands.size() == 1 ? stepsOf(words.operands[0]) : QList<int>();
    if (steps.isEmpty())
        return misuse(tool, QStringLiteral("steps takes one list of steps 1 to 11, as 1,3-11."));
    if (steps.contains(2)) {
        tool.err << "Step 2 is the job title edits form: open it in the program.\n";
        return ended(2);
    }
    return {.onDatabase = [steps, &tool](const CurrentDatabase&, TDataModule2& dataModule) {
        return runSteps(steps, dataModule, tool.out, tool.err);
    }};
}

struct ReportCommand {
    QString report{};
    bool save = false;
    QString pdf{};
    bool replace = false;
};

int writeReport(const ReportCommand& command, const Locations& locations,
                const QSqlDatabase& connection, const PdfWriter& writePdf, QTextStream& out,
                QTextStream& err) {
    QStringList lines;
    QString fileName;
    if (command.report == QLatin1String("payments")) {
        lines = payments_report::build(connection, payments_report::startTicks(), {});
        fileName = payments_report::fileName(QDateTime::currentDateTime());
    } else if (command.report == QLatin1String("title")) {
        lines = statistics_reports::titleReport(connection, kbx::_kbx_ComputerName());
        fileName = statistics_reports::kTitleFileName;
    } else {
        lines = statistics_reports::stateReport(connection);
        fileName = statistics_reports::kStateFileName;
    }
    if (command.save)
        report_text::save(locations, fileName,
                          command.report == QLatin1String("payments")
                              ? report_text::Closing::Payments
                              : report_text::Closing::Statistics,
                          lines);
    printWhole(out, lines);
    if (!command.pdf.isEmpty()) {
        writePdf(command.pdf, lines, existingOf(command.replace));
        err << "PDF written to " << command.pdf << '\n';
    }
    return 0;
}

// "report arrears --from DATE --to DATE [--count-on WORD] [--csv FILE] [--replace]".
Work readArrearsReport(const Options& words, const Tool& tool) {
    QString wrong;
    const std::optional<ArrearsCommand> command = arrearsCommandOf(words, wrong);
    if (!command)
        return misuse(tool, wrong);
    if (!command->csv.isEmpty() &&
        !mayWrite(tool.locations, command->csv, command->replace, tool.err))
        return ended(1);
    return {.onDatabase = [command = *command, &tool](const CurrentDatabase&,
                                                      TDataModule2& dataModule) {
        return writeArrears(command, dataModule.connection(), tool.out, tool.err);
    }};
}

// "report weeks --from DATE --to DATE [--csv DIR] [--replace]".
Work readWeeksReport(const Options& words, const Tool& tool) {
    QString wrong;
    const std::optional<WeeksCommand> command = weeksCommandOf(words, wrong);
    if (!command)
        return misuse(tool, wrong);
    for (const QString& file : command->csvFiles())
        if (!mayWrite(tool.locations, file, command->replace, tool.err))
            return ended(1);
    return {.onDatabase = [command = *command, &tool](const CurrentDatabase&,
                                                      TDataModule2& dataModule) {
        return writeWeeks(command, dataModule.connection(), tool.out, tool.err);
    }};
}

// "report payments|title|state [--save] [--pdf FILE] [--replace]", and
// "report arrears" and "report weeks".
Work readReport(const Options& words, const Tool& tool) {
    if (words.operands == QStringList{QStringLiteral("arrears")})
        return readArrearsReport(words, tool);
    if (words.operands == QStringList{QStringLiteral("weeks")})
        return readWeeksReport(words, tool);
    if (words.operands.size() != 1 ||
        !QStringList{"payments", "title", "state"}.contains(words.operands[0]))
        return misuse(
            tool,
            QStringLiteral("report takes one report: payments, title, state, arrears or weeks."));
    if (words.from.isValid() || words.to.isValid() || !words.values.isEmpty())
        return misuse(tool, QStringLiteral("report %1 takes no --from, --to, --count-on or --csv.")
                                .arg(words.operands[0]));
    const ReportCommand command{words.operands[0], words.save, words.pdf, words.replace};
    if (!command.pdf.isEmpty() && !tool.writePdf) {
        tool.err << "This build of the tool cannot write PDF files.\n";
        return ended(2);
    }
    if (!command.pdf.isEmpty() && !mayWrite(tool.locations, command.pdf, command.replace, tool.err))
        return ended(1);
    return {.onDatabase = [command, &tool](const CurrentDatabase&, TDataModule2& dataModule) {
        return writeReport(command, tool.locations, dataModule.connection(), tool.writePdf,
                           tool.out, tool.err);
    }};
}

// Each line is flushed as it comes: the summary ends up after the service's
// lines where both streams go to one terminal.
backup_restore::Output printed(QTextStream& out, QTextStream& err) {
    return {[&out](const QString& line) {
                out << line << '\n';
                out.flush();
            },
            [&err](const QString& line) {
                err << line << '\n';
                err.flush();
            }};
}

int backUp(const QString& name, const Locations& locations, QTextStream& out, QTextStream& err) {
    if (name == QLatin1String("--all")) {
        const backup_restore::AllBackedUp all =
            backup_restore::backupAll(locations, printed(out, err));
        if (!all.failed.isEmpty()) {
            err << all.failed.size() << " of " << all.failed.size() + all.backups.size()
                << " databases were NOT backed up: " << all.failed.join(QStringLiteral(", "))
                << '\n';
            return 1;
        }
        if (all.backups.isEmpty()) {
            err << "There is no database in " << locations.databaseFolder() << ".\n";
            return 1;
        }
        return 0;
    }
    const QString path = locations.databasePath(name);
    if (!Locations::isDatabaseName(name) || !QFileInfo::exists(path)) {
        err << "There is no database " << name << " in " << locations.databaseFolder() << ".\n";
        return 1;
    }
    backup_restore::backupDatabase(locations, path, printed(out, err));
    return 0;
}

int unzip(const QString& archive, const Locations& locations, QTextStream& out) {
    const database_archive::Unpacked unpacked =
        database_archive::unzipArchive(archive, locations.unzipFolder());
    out << database_archive::unpackedMessage(unpacked) << '\n';
    return unpacked.refused.isEmpty() && !unpacked.files.isEmpty() ? 0 : 1;
}

// "backup NAME|--all", "restore FILE" and "unzip FILE": their one operand.
std::optional<QString> operandOf(const QString& command, const Options& words, const Tool& tool) {
    if (words.operands.size() == 1)
        return words.operands[0];
    misused(tool.err, QStringLiteral("%1 takes one operand.").arg(command));
    return std::nullopt;
}

Work readBackup(const Options& words, const Tool& tool) {
    const std::optional<QString> name = operandOf(QStringLiteral("backup"), words, tool);
    if (!name)
        return ended(2);
    return {.inFolders = [name = *name, &tool] {
        return backUp(name, tool.locations, tool.out, tool.err);
    }};
}

Work readRestore(const Options& words, const Tool& tool) {
    const std::optional<QString> backup = operandOf(QStringLiteral("restore"), words, tool);
    if (!backup)
        return ended(2);
    return {.inFolders = [backup = *backup, &tool] {
        return backup_restore::restoreBackup(tool.locations, backup, printed(tool.out, tool.err))
                   ? 0
                   : 1;
    }};
}

Work readZip(const Options& words, const Tool& tool) {
    if (!words.operands.isEmpty())
        return misuse(tool, QStringLiteral("zip takes no operand."));
    return {.inFolders = [&tool] {
        const QString archive =
            database_archive::zipDatabaseFolder(tool.locations, QDateTime::currentDateTime());
        tool.out << "The databases have been ZIPPED up into: " << archive << '\n';
        return 0;
    }};
}

Work readUnzip(const Options& words, const Tool& tool) {
    const std::optional<QString> archive = operandOf(QStringLiteral("unzip"), words, tool);
    if (!archive)
        return ended(2);
    return {.inFolders = [archive = *archive, &tool] {
        return unzip(archive, tool.locations, tool.out);
    }};
}

// The lock a command runs under: the program's lock alone (Folders), or
// that lock with the current database open, the database named ("Working
// on …") on standard output among the command's lines, or on standard error
// where standard output carries what the command makes.
enum class Lock { Folders, DatabaseNamedOnOutput, DatabaseNamedOnErrors };

// A command of the tool: its name, its lines of the usage text, the options
// it takes (a command that takes none reads all its words as operands), its
// lock, what its words ask for, and what the help says of it under the
// usage lines (backup's paragraph speaks of the three commands after it).
struct Command {
    QString name;
    QString usage;
    QStringList options;
    Lock lock;
    Work (*read)(const Options& words, const Tool& tool);
    QString help;
};

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"import",
         "import cb7|4jobs|recruiter [--again] FILE...",
         {},
         Lock::DatabaseNamedOnOutput,
         readImport,
         "Imports saved mail into the job search records of the current database,\n"
         "as \"Job Search Edits/Imports\" of the program does:\n"
         "  cb7        CareerBuilder alerts (version 7, since 1 December 2003)\n"
         "  4jobs      4jobs.com alerts\n"
         "  recruiter  e-mails exchanged with recruiters\n"
         "Each file is imported whole, in one transaction, or not at all. A file\n"
         "whose content was imported into the database before is refused unless\n"
         "--again is given. The program's window must be closed meanwhile.\n"},
        {"steps",
         "steps LIST",
         {},
         Lock::DatabaseNamedOnOutput,
         readSteps,
         "steps runs the numbered steps of the import form, in the order given:\n"
         "LIST is numbers and ranges as the buttons number them, \"1,3-11\" for all\n"
         "of them. Step 2 is the job title edits form and has no batch form. The\n"
         "confirmation of steps 10 and 11 is taken as given. Each step is one\n"
         "transaction: a step that fails changes nothing and ends the run.\n"},
        {"report",
         "report payments|title|state [--save] [--pdf FILE] [--replace]\n"
         "report arrears --from DATE --to DATE [--count-on sent|delivered|cleared] "
         "[--csv FILE.csv] [--replace]\n"
         "report weeks --from DATE --to DATE [--csv DIR] [--replace]",
         {"--save", "--pdf", "--replace", "--from", "--to", "--count-on", "--csv"},
         Lock::DatabaseNamedOnErrors,
         readReport,
         "report writes a report of the current database to standard output, as the\n"
         "program's Reports menu makes it: payments (the form's first ticks, the\n"
         "twelve payment categories), title or state (the jobs not qualified for).\n"
         "--save also saves it in the reports folder as the form's Save does, with\n"
         "the closing lines naming the file; --pdf writes it as a PDF file too.\n"
         "report arrears writes the arrears statement from and to the days given, as\n"
         "\"Arrears Statement\" shows it: what the support obligations made due, the\n"
         "payments applied to each amount, oldest first, and the balance. A payment\n"
         "counts on its date sent, or on the date --count-on names; --csv also\n"
         "writes its amounts due to FILE.csv, one row each.\n"
         "report weeks writes the weekly work-search log of the weeks from and to\n"
         "the days given, as \"Weekly Work Search\" shows it under the stored rules:\n"
         "each week's counted contacts and whether it is met. --csv also writes\n"
         "weeks.csv (one row per counted contact) and weeks_summary.csv (one row\n"
         "per week) into the folder DIR, both written before either is named.\n"},
        {"export",
         "export payments|jobs FILE.csv [--from DATE] [--to DATE] [--replace]",
         {"--from", "--to", "--replace"},
         Lock::DatabaseNamedOnErrors,
         readExport,
         "export writes the payments or the job search records of the current\n"
         "database to a CSV file (UTF-8, a header row, dates as YYYY-MM-DD), those\n"
         "of the item dates or job dates from and to the days given (YYYY-MM-DD,\n"
         "0001-01-01 to 9999-12-31).\n"},
        {"check-files",
         "check-files",
         {},
         Lock::DatabaseNamedOnErrors,
         readCheckFiles,
         "check-files lists every payment whose item file (its proof: a scan of the\n"
         "cheque, a receipt) is named but not there, and fails when there is one.\n"},
        {"history",
         "history verify\nhistory show [--from DATE] [--to DATE] [--record KEY]",
         {"--from", "--to", "--record"},
         Lock::DatabaseNamedOnErrors,
         readHistory,
         "history verify checks the history of the records: it walks the chain of\n"
         "hashes from the first entry and names the first entry that does not follow\n"
         "(one changed, inserted or removed outside the program), then each payment\n"
         "record whose values differ from what its history ends with, and fails\n"
         "when it found either. history show prints the entries in the order of the\n"
         "chain, every column of each, those written from and to the days given and\n"
         "those of the record whose key --record gives.\n"},
        {"obligation",
         "obligation add --kind KIND --amount AMOUNT --every EVERY [--day N | --days N,M] "
         "--from DATE [--to DATE] [--order TEXT]\nobligation list",
         {"--kind", "--amount", "--every", "--day", "--days", "--from", "--to", "--order"},
         Lock::DatabaseNamedOnErrors,
         readObligations,
         "obligation add records a support obligation of an order in the current\n"
         "database. KIND is spousal, retired, child or other: the payment amount it\n"
         "is paid through (spousal support, retired pay, child support, other).\n"
         "AMOUNT is due on each due date, with at most two decimals (1400.00).\n"
         "EVERY is weekly, biweekly (every two weeks) or yearly, counted from\n"
         "--from; semimonthly, on the two days of each month --days N,M gives;\n"
         "monthly, on --day N or else on the day of --from; or once, on --from. A\n"
         "day past a month's end falls on its last day. --to is the last due date,\n"
         "none while the order runs, and --order the order's reference (a case\n"
         "number). obligation list prints every obligation, one line each in fixed\n"
         "columns.\n"},
        {"pack",
         "pack --from DATE --to DATE FILE.zip [--replace]",
         {"--from", "--to", "--replace"},
         Lock::DatabaseNamedOnErrors,
         readPack,
         "pack writes the evidence pack of a period to FILE.zip, as Reports >\n"
         "Evidence Pack… does: the payments report (PDF and text), the payments and\n"
         "job search records (CSV), the statistics reports, the arrears statement\n"
         "(PDF and text, payments counted on their date sent) with its amounts due\n"
         "(CSV), the weekly work-search log (PDF, text, weeks.csv and\n"
         "weeks_summary.csv), the proof files the period's payments name, the\n"
         "history of the period's records (CSV) with what history verify finds, and\n"
         "a manifest with the SHA-256 of each file.\n"
         "\n"
         "export, pack, report --pdf and report --csv refuse a file that exists\n"
         "already unless --replace is given. They never write into the program's\n"
         "folders of databases, backups, restored databases and archives, nor over a\n"
         "Firebird database (also through a link), with or without --replace. A file\n"
         "is written whole or not at all, readable by its owner only.\n"},
        {"backup",
         "backup NAME|--all",
         {},
         Lock::Folders,
         readBackup,
         "backup backs up the database NAME of the database folder, or every one of\n"
         "them with --all, into the backup folder, as \"Backup And Restore\" does.\n"
         "restore restores a backup into the restored-databases folder; it never\n"
         "replaces a file there. zip packs the database folder into a new archive in\n"
         "the zip folder; unzip unpacks an archive into ~/temp02/restored, never\n"
         "replacing a file and refusing entries that would leave that folder. The\n"
         "server's progress lines go to standard error.\n"},
        {"restore", "restore FILE", {}, Lock::Folders, readRestore, {}},
        {"zip", "zip", {}, Lock::Folders, readZip, {}},
        {"unzip", "unzip FILE", {}, Lock::Folders, readUnzip, {}},
    };
    return table;
}

const QString kExitStatus = QStringLiteral(
    "Exit status: 0 when everything was done, 1 when a file or step failed or\n"
    "was refused (what was done before it stays), 2 for a wrong command.\n");

// The usage line of every command, then what the help says of each.
QString usageText() {
    QString text;
    for (const Command& command : commands())
        for (const QString& usage : command.usage.split(QLatin1Char('\n')))
            text += (text.isEmpty() ? QStringLiteral("Usage: ") : QStringLiteral("       ")) +
                    QStringLiteral("quorvel4-batch ") + usage + QLatin1Char('\n');
    for (const Command& command : commands())
        if (!command.help.isEmpty())
            text += QLatin1Char('\n') + command.help;
    return text + QLatin1Char('\n') + kExitStatus;
}

const Command* commandNamed(const QString& name) {
    for (const Command& command : commands())
        if (command.name == name)
            return &command;
    return nullptr;
}

// What the words after the command's name ask for: its options read when
// it takes any.
Work read(const Command& command, const QStringList& words, const Tool& tool) {
    if (command.options.isEmpty())
        return command.read(Options{words}, tool);
    QString wrong;
    const std::optional<Options> options = optionsOf(command.name, words, command.options, wrong);
    return options ? command.read(*options, tool) : misuse(tool, wrong);
}

int runOnce(Lock lock, const Work& work, const Tool& tool) {
    if (lock == Lock::Folders)
        return withLock(tool.locations, tool.out, tool.err, work.inFolders);
    QTextStream& said = lock == Lock::DatabaseNamedOnOutput ? tool.out : tool.err;
    return onCurrentDatabase(tool.locations, tool.settings, said, tool.err, work.onDatabase);
}

// A command whose output was lost (a full disk behind it) failed, whatever
// its work returned.
int runUnderLock(Lock lock, const Work& work, const Tool& tool) {
    const int status = runOnce(lock, work, tool);
    try {
        refuseUnprinted(tool.out);
    } catch (const ProgramError& error) {
        tool.err << error.message() << '\n';
        return 1;
    }
    return status;
}

}  // namespace

int run(const QStringList& arguments, const Locations& locations, SettingsStore& settings,
        QTextStream& out, QTextStream& err, const PdfWriter& writePdf) {
    if (arguments.isEmpty())
        return misused(err, QStringLiteral("No command given."));
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        out << usageText();
        return 0;
    }
    if (arguments == QStringList{QStringLiteral("--version")}) {
        out << "quorvel4-batch " << kbx::_kbx_Get_Versioning_Info(QStringLiteral("FileVersion"))
            << '\n';
        return 0;
    }
    const Command* command = commandNamed(arguments[0]);
    if (!command)
        return misused(err, QStringLiteral("Unknown command %1.").arg(arguments[0]));
    const Tool tool{locations, settings, out, err, writePdf};
    const Work work = read(*command, arguments.mid(1), tool);
    return work.ended ? *work.ended : runUnderLock(command->lock, work, tool);
}

}  // namespace batch
