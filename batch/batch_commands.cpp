#include "batch/batch_commands.h"

#include "datastore/data_module.h"
#include "datastore/instance_lock.h"
#include "datastore/locations.h"
#include "datastore/settings_store.h"
#include "importing/import_run.h"
#include "importing/imported_files.h"
#include "importing/mail_import.h"
#include "platform/database_error.h"

#include <QDateTime>

#include <map>

namespace batch {

namespace {

const QString kUsage = QStringLiteral(
    "Usage: quorvel4-batch import cb7|4jobs|recruiter [--again] FILE...\n"
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
    "Exit status: 0 when every file was imported, 1 when one failed or was\n"
    "refused (the files before it stay imported), 2 for a wrong command.\n");

const std::map<QString, MailKind> kKinds = {{"cb7", MailKind::CareerBuilder7},
                                            {"4jobs", MailKind::FourJobs},
                                            {"recruiter", MailKind::Recruiter}};

struct ImportCommand {
    MailKind kind;
    QStringList files;
    bool again = false;
};

// Imports each file in turn into the open database.
int importFiles(const ImportCommand& command, const CurrentDatabase& database,
                TDataModule2& dataModule, SettingsStore& settings, QTextStream& out,
                QTextStream& err) {
    for (const QString& file : command.files) {
        const QString digest = fileDigest(file);
        const QString before =
            digest.isEmpty() ? QString() : settings.importedFile(database.name, digest);
        if (!before.isEmpty() && !command.again) {
            err << file << ": its content was imported into " << database.name << " before ("
                << before << "); give --again to import it once more.\n";
            return 1;
        }
        try {
            const mail_import::Report report =
                mail_import::importFile(command.kind, dataModule.connection(), file,
                                        [&out](const QString& line) { out << line << '\n'; }, {});
            out << file << ": " << report.records << " records imported.\n";
            out.flush();
            settings.recordImportedFile(database.name, digest,
                                        QStringLiteral("%1, %2 records, %3")
                                            .arg(file)
                                            .arg(report.records)
                                            .arg(QDateTime::currentDateTime().toString(
                                                QStringLiteral("yyyy-MM-dd hh:mm"))));
        } catch (const ImportError& error) {
            err << error.message() << '\n';
            return 1;
        }
    }
    return 0;
}

int runImport(const ImportCommand& command, const Locations& locations, SettingsStore& settings,
              QTextStream& out, QTextStream& err) {
    InstanceLock instance(locations);
    const QString refusal = instance.take();
    if (!refusal.isEmpty()) {
        err << refusal << " Close it and try again.\n";
        return 1;
    }
    const CurrentDatabase database = settings.currentDatabase();
    if (database.name.isEmpty() || database.name == kFirstdb || database.path.isEmpty()) {
        err << "The current database is " << (database.name.isEmpty() ? "not set" : database.name)
            << ": 'firstdb' may not hold live data. Create or choose a live database in the "
               "program first.\n";
        return 1;
    }
    TDataModule2 dataModule;
    try {
        dataModule.open(database.path);
    } catch (const DatabaseError& error) {
        err << error.message() << '\n';
        return 1;
    }
    out << "Importing into " << database.name << " (" << database.path << ")\n";
    return importFiles(command, database, dataModule, settings, out, err);
}

}  // namespace

int run(const QStringList& arguments, const Locations& locations, SettingsStore& settings,
        QTextStream& out, QTextStream& err) {
    if (arguments.isEmpty() || arguments.contains(QStringLiteral("--help")) ||
        arguments.contains(QStringLiteral("-h"))) {
        (arguments.isEmpty() ? err : out) << kUsage;
        return arguments.isEmpty() ? 2 : 0;
    }
    if (arguments.size() < 3 || arguments[0] != QLatin1String("import") ||
        kKinds.count(arguments[1]) == 0) {
        err << kUsage;
        return 2;
    }
    ImportCommand command{kKinds.at(arguments[1]), arguments.mid(2)};
    command.again = command.files.removeAll(QStringLiteral("--again")) > 0;
    if (command.files.isEmpty()) {
        err << kUsage;
        return 2;
    }
    return runImport(command, locations, settings, out, err);
}

}  // namespace batch
