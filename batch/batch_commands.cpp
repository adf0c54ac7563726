#include "batch/batch_commands.h"

#include "datastore/data_module.h"
#include "datastore/instance_lock.h"
#include "datastore/locations.h"
#include "datastore/output_target.h"
#include "datastore/settings_store.h"
#include "evidence/evidence_pack.h"
#include "importing/imported_files.h"
#include "importing/mail_import.h"
#include "importing/title_steps.h"
#include "maintenance/backup_restore.h"
#include "maintenance/database_archive.h"
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
#include <map>
#include <optional>

namespace batch {

namespace {

const QString kUsage = QStringLiteral(
    "Usage: quorvel4-batch import cb7|4jobs|recruiter [--again] FILE...\n"
    "       quorvel4-batch steps LIST\n"
    "       quorvel4-batch report payments|title|state [--save] [--pdf FILE] [--replace]\n"
    "       quorvel4-batch export payments|jobs FILE.csv [--from DATE] [--to DATE] [--replace]\n"
    "       quorvel4-batch check-files\n"
    "       quorvel4-batch pack --from DATE --to DATE FILE.zip [--replace]\n"
    "       quorvel4-batch backup NAME|--all\n"
    "       quorvel4-batch restore FILE\n"
    "       quorvel4-batch zip\n"
    "       quorvel4-batch unzip FILE\n"
    "\n"
    "Imports saved mail into the job search records of the current database,\n"
    "as \"Job Search Edits/Imports\" of the program does:\n"
    "  cb7        CareerBuilder alerts (version 7, since 1 December 2003)\n"
    "  4jobs      4jobs.com alerts\n"
    "  recruiter  e-mails exchanged with recruiters\n"
    "Each file is imported whole, in one transaction, or not at all. A file\n"
    "whose content was imported into the database before is refused unless\n"
    "--again is given. The program's window must be closed meanwhile.\n"
    "\n"
    "\n"
    "steps runs the numbered steps of the import form, in the order given:\n"
    "LIST is numbers and ranges as the buttons number them, \"1,3-11\" for all\n"
    "of them. Step 2 is the job title edits form and has no batch form. The\n"
    "confirmation of steps 10 and 11 is taken as given. Each step is one\n"
    "transaction: a step that fails changes nothing and ends the run.\n"
    "\n"
    "report writes a report of the current database to standard output, as the\n"
    "program's Reports menu makes it: payments (the form's first ticks, the\n"
    "twelve payment categories), title or state (the jobs not qualified for).\n"
    "--save also saves it in the reports folder as the form's Save does, with\n"
    "the closing lines naming the file; --pdf writes it as a PDF file too.\n"
    "\n"
    "export writes the payments or the job search records of the current\n"
    "database to a CSV file (UTF-8, a header row, dates as YYYY-MM-DD), those\n"
    "of the item dates or job dates from and to the days given (YYYY-MM-DD,\n"
    "0001-01-01 to 9999-12-31).\n"
    "\n"
    "check-files lists every payment whose item file (its proof: a scan of the\n"
    "cheque, a receipt) is named but not there, and fails when there is one.\n"
    "\n"
    "pack writes the evidence pack of a period to FILE.zip, as Reports >\n"
    "Evidence Pack… does: the payments report (PDF and text), the payments and\n"
    "job search records (CSV), the statistics reports, the proof files the\n"
    "period's payments name, and a manifest with the SHA-256 of each file.\n"
    "\n"
    "export, pack and report --pdf refuse a file that exists already unless\n"
    "--replace is given. They never write into the program's folders of\n"
    "databases, backups, restored databases and archives, nor over a Firebird\n"
    "database (also through a link), with or without --replace. A file is\n"
    "written whole or not at all, readable by its owner only.\n"
    "\n"
    "backup backs up the database NAME of the database folder, or every one of\n"
    "them with --all, into the backup folder, as \"Backup And Restore\" does.\n"
    "restore restores a backup into the restored-databases folder; it never\n"
    "replaces a file there. zip packs the database folder into a new archive in\n"
    "the zip folder; unzip unpacks an archive into ~/temp02/restored, never\n"
    "replacing a file and refusing entries that would leave that folder. The\n"
    "server's progress lines go to standard error.\n"
    "\n"
    "Exit status: 0 when everything was done, 1 when a file or step failed or\n"
    "was refused (what was done before it stays), 2 for a wrong command.\n");

const std::map<QString, MailKind> kKinds = {{"cb7", MailKind::CareerBuilder7},
                                            {"4jobs", MailKind::FourJobs},
                                            {"recruiter", MailKind::Recruiter}};

const QString kTryHelp = QStringLiteral("Try 'quorvel4-batch --help'.");

// A wrong command: what is wrong, and where to read how it goes.
int misused(QTextStream& err, const QString& what) {
    err << what << '\n' << kTryHelp << '\n';
    return 2;
}

// The operands and options of a command, of the options it takes:
// "--from DATE", "--to DATE", "--pdf FILE", "--save", "--replace".
struct Options {
    QStringList operands{};
    QDate from{};
    QDate to{};
    QString pdf{};
    bool save = false;
    bool replace = false;
};

// A day from 0001-01-01 to 9999-12-31 as YYYY-MM-DD: the days a database
// holds.
QDate dayOf(const QString& text) {
    const QDate day = QDate::fromString(text, Qt::ISODate);
    return day >= QDate(1, 1, 1) && day <= QDate(9999, 12, 31) ? day : QDate();
}

// The options of `arguments` (the words after the command's name); nothing,
// and what is wrong in `wrong`, when they are not the command's.
std::optional<Options> optionsOf(const QString& command, const QStringList& arguments,
                                 const QStringList& taken, QString& wrong) {
    Options options;
    for (qsizetype argument = 0; argument < arguments.size(); ++argument) {
        const QString& word = arguments[argument];
        if (!word.startsWith(QLatin1String("--"))) {
            options.operands << word;
            continue;
        }
        if (!taken.contains(word)) {
            wrong = QStringLiteral("%1 takes no option %2.").arg(command, word);
            return std::nullopt;
        }
        if (arguments.indexOf(word) != argument) {
            wrong = QStringLiteral("%1 %2 is given twice.").arg(command, word);
            return std::nullopt;
        }
        if (word == QLatin1String("--save") || word == QLatin1String("--replace")) {
            (word == QLatin1String("--save") ? options.save : options.replace) = true;
            continue;
        }
        if (++argument == arguments.size()) {
            wrong = QStringLiteral("%1 %2 needs a value.").arg(command, word);
            return std::nullopt;
        }
        if (word == QLatin1String("--pdf")) {
            options.pdf = arguments[argument];
            continue;
        }
        const QDate day = dayOf(arguments[argument]);
        if (!day.isValid()) {
            wrong = QStringLiteral("%1 %2 %3: not a date YYYY-MM-DD from 0001-01-01 to 9999-12-31.")
                        .arg(command, word, arguments[argument]);
            return std::nullopt;
        }
        (word == QLatin1String("--from") ? options.from : options.to) = day;
    }
    if (options.from.isValid() && options.to.isValid() && options.from > options.to) {
        wrong =
            QStringLiteral("%1: --from %2 is after --to %3.")
                .arg(command, options.from.toString(Qt::ISODate), options.to.toString(Qt::ISODate));
        return std::nullopt;
    }
    return options;
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
                TDataModule2& dataModule, SettingsStore& settings, QTextStream& out,
                QTextStream& err) {
    ImportedFiles imported(settings, database.name);
    const mail_import::ImportAgain again = [&](const ImportedFiles::File& file) {
        if (!command.again)
            err << file.path << ": its content was imported into " << database.name << " before ("
                << file.importedBefore << "); give --again to import it once more.\n";
        return command.again;
    };
    for (const QString& path : command.files) {
        const std::optional<mail_import::Report> report = mail_import::importChosenFile(
            command.kind, dataModule.connection(), imported, path, again,
            [&out](const QString& line) { out << line << '\n'; }, {});
        if (!report)
            return 1;
        out << mail_import::importedLine(path, report->records) << '\n';
        out.flush();
    }
    return 0;
}

struct ExportCommand {
    QString table{};
    QString dateColumn{};
    QString path{};
    QDate from{};
    QDate to{};
    bool replace = false;
};

// "export payments|jobs FILE [--from DATE] [--to DATE] [--replace]";
// nothing, and what is wrong in `wrong`, when the arguments are not one.
std::optional<ExportCommand> exportCommandOf(const QStringList& arguments, QString& wrong) {
    const std::optional<Options> options = optionsOf(QStringLiteral("export"), arguments.mid(1),
                                                     {"--from", "--to", "--replace"}, wrong);
    if (!options)
        return std::nullopt;
    if (options->operands.size() != 2 ||
        !QStringList{"payments", "jobs"}.contains(options->operands[0])) {
        wrong = QStringLiteral("export takes payments or jobs and one file.");
        return std::nullopt;
    }
    const bool payments = options->operands[0] == QLatin1String("payments");
    return ExportCommand{payments ? QStringLiteral("QUORVEL_4") : QStringLiteral("JSEARCH_4"),
                         payments ? QStringLiteral("ITEM_DATE") : QStringLiteral("DATE_"),
                         options->operands[1],
                         options->from,
                         options->to,
                         options->replace};
}

int exportRecords(const ExportCommand& command, const QSqlDatabase& connection, QTextStream& out) {
    const int records =
        csv_export::exportTable(connection, schema::table(command.table),
                                {dateBetween(command.dateColumn, command.from, command.to)},
                                command.path, existingOf(command.replace));
    out << records << " records exported to " << command.path << '\n';
    return 0;
}

// "pack --from DATE --to DATE FILE [--replace]"; nothing, and what is
// wrong in `wrong`, when the arguments are not one.
std::optional<evidence_pack::Request> packRequestOf(const QStringList& arguments, QString& wrong) {
    const std::optional<Options> options =
        optionsOf(QStringLiteral("pack"), arguments.mid(1), {"--from", "--to", "--replace"}, wrong);
    if (!options)
        return std::nullopt;
    if (!options->from.isValid() || !options->to.isValid() || options->operands.size() != 1) {
        wrong = QStringLiteral("pack takes --from DATE, --to DATE and one file.");
        return std::nullopt;
    }
    evidence_pack::Request request;
    request.from = options->from;
    request.to = options->to;
    request.archivePath = options->operands[0];
    request.existing = existingOf(options->replace);
    return request;
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
    return 0;
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

int runSteps(const QList<int>& steps, const CurrentDatabase&, TDataModule2& dataModule,
             QTextStream& out, QTextStream& err) {
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

struct ReportCommand {
    QString report{};
    bool save = false;
    QString pdf{};
    bool replace = false;
};

// "report NAME [--save] [--pdf FILE] [--replace]"; nothing, and what is
// wrong in `wrong`, when the arguments are not one.
std::optional<ReportCommand> reportCommandOf(const QStringList& arguments, QString& wrong) {
    const std::optional<Options> options = optionsOf(QStringLiteral("report"), arguments.mid(1),
                                                     {"--save", "--pdf", "--replace"}, wrong);
    if (!options)
        return std::nullopt;
    if (options->operands.size() != 1 ||
        !QStringList{"payments", "title", "state"}.contains(options->operands[0])) {
        wrong = QStringLiteral("report takes one report: payments, title or state.");
        return std::nullopt;
    }
    return ReportCommand{options->operands[0], options->save, options->pdf, options->replace};
}

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
    for (const QString& line : lines)
        out << line << '\n';
    out.flush();
    if (!command.pdf.isEmpty()) {
        writePdf(command.pdf, lines, existingOf(command.replace));
        err << "PDF written to " << command.pdf << '\n';
    }
    return 0;
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

// "backup", "restore", "zip" and "unzip"; nothing when the command is none of them.
std::optional<int> runMaintenance(const QStringList& arguments, const Locations& locations,
                                  QTextStream& out, QTextStream& err) {
    const QString command = arguments[0];
    const QStringList operands = arguments.mid(1);
    const bool withOperand = command != QLatin1String("zip");
    if (!QStringList{"backup", "restore", "zip", "unzip"}.contains(command))
        return std::nullopt;
    if (operands.size() != (withOperand ? 1 : 0))
        return misused(err, withOperand ? QStringLiteral("%1 takes one operand.").arg(command)
                                        : QStringLiteral("zip takes no operand."));
    return withLock(locations, out, err, [&] {
        if (command == QLatin1String("backup"))
            return backUp(operands[0], locations, out, err);
        if (command == QLatin1String("restore"))
            return backup_restore::restoreBackup(locations, operands[0], printed(out, err)) ? 0 : 1;
        if (command == QLatin1String("unzip"))
            return unzip(operands[0], locations, out);
        const QString archive =
            database_archive::zipDatabaseFolder(locations, QDateTime::currentDateTime());
        out << "The databases have been ZIPPED up into: " << archive << '\n';
        return 0;
    });
}

}  // namespace

int run(const QStringList& arguments, const Locations& locations, SettingsStore& settings,
        QTextStream& out, QTextStream& err, const PdfWriter& writePdf) {
    if (arguments.isEmpty())
        return misused(err, QStringLiteral("No command given."));
    if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
        out << kUsage;
        return 0;
    }
    if (arguments == QStringList{QStringLiteral("--version")}) {
        out << "quorvel4-batch " << kbx::_kbx_Get_Versioning_Info(QStringLiteral("FileVersion"))
            << '\n';
        return 0;
    }
    if (const std::optional<int> status = runMaintenance(arguments, locations, out, err))
        return *status;
    if (arguments[0] == QLatin1String("steps")) {
        const QList<int> steps = arguments.size() == 2 ? stepsOf(arguments[1]) : QList<int>();
        if (steps.isEmpty())
            return misused(err,
                           QStringLiteral("steps takes one list of steps 1 to 11, as 1,3-11."));
        if (steps.contains(2)) {
            err << "Step 2 is the job title edits form: open it in the program.\n";
            return 2;
        }
        return onCurrentDatabase(locations, settings, out, err,
                                 [&](const CurrentDatabase& database, TDataModule2& dataModule) {
                                     return runSteps(steps, database, dataModule, out, err);
                                 });
    }
    if (arguments[0] == QLatin1String("check-files") && arguments.size() > 1)
        return misused(err, QStringLiteral("check-files takes no operand."));
    if (arguments == QStringList{QStringLiteral("check-files")})
        return onCurrentDatabase(locations, settings, err, err,
                                 [&](const CurrentDatabase&, TDataModule2& dataModule) {
                                     return checkFiles(dataModule.connection(), out);
                                 });
    if (arguments[0] == QLatin1String("pack")) {
        QString wrong;
        const std::optional<evidence_pack::Request> request = packRequestOf(arguments, wrong);
        if (!request)
            return misused(err, wrong);
        if (!mayWrite(locations, request->archivePath,
                      request->existing == whole_file::Existing::Replace, err))
            return 1;
        return onCurrentDatabase(locations, settings, err, err,
                                 [&](const CurrentDatabase& database, TDataModule2& dataModule) {
                                     return packEvidence(*request, locations, database,
                                                         dataModule.connection(), out);
                                 });
    }
    if (arguments[0] == QLatin1String("export")) {
        QString wrong;
        const std::optional<ExportCommand> command = exportCommandOf(arguments, wrong);
        if (!command)
            return misused(err, wrong);
        if (!mayWrite(locations, command->path, command->replace, err))
            return 1;
        return onCurrentDatabase(locations, settings, err, err,
                                 [&](const CurrentDatabase&, TDataModule2& dataModule) {
                                     return exportRecords(*command, dataModule.connection(), out);
                                 });
    }
    if (arguments[0] == QLatin1String("report")) {
        QString wrong;
        const std::optional<ReportCommand> command = reportCommandOf(arguments, wrong);
        if (!command)
            return misused(err, wrong);
        if (!command->pdf.isEmpty() && !writePdf) {
            err << "This build of the tool cannot write PDF files.\n";
            return 2;
        }
        if (!command->pdf.isEmpty() && !mayWrite(locations, command->pdf, command->replace, err))
            return 1;
        return onCurrentDatabase(
            locations, settings, err, err, [&](const CurrentDatabase&, TDataModule2& dataModule) {
                return writeReport(*command, locations, dataModule.connection(), writePdf, out,
                                   err);
            });
    }
    if (arguments[0] != QLatin1String("import"))
        return misused(err, QStringLiteral("Unknown command %1.").arg(arguments[0]));
    if (arguments.size() < 3 || kKinds.count(arguments[1]) == 0)
        return misused(err, QStringLiteral("import takes cb7, 4jobs or recruiter and the files."));
    ImportCommand command{kKinds.at(arguments[1]), arguments.mid(2)};
    command.again = command.files.removeAll(QStringLiteral("--again")) > 0;
    if (command.files.isEmpty())
        return misused(err, QStringLiteral("import takes cb7, 4jobs or recruiter and the files."));
    return onCurrentDatabase(locations, settings, out, err,
                             [&](const CurrentDatabase& database, TDataModule2& dataModule) {
                                 return importFiles(command, database, dataModule, settings, out,
                                                    err);
                             });
}

}  // namespace batch
