#pragma once

#include "platform/whole_file.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Everything about a period in one ZIP file for a lawyer, a court or a
// benefits office: the payments report as PDF and text, the payments and the
// job search log as CSV, both statistics reports, the arrears statement of the
// period (payments counted on their date sent) as PDF and text with its
// amounts due as CSV, the weekly work-search log of the period's weeks as PDF,
// text and its two CSV files, the history of the period's records as CSV with
// the check of the whole history, every proof file the period's payments name
// (under proofs/), and manifest.txt with the SHA-256 of every file.
namespace evidence_pack {

struct Request {
    QString databaseName{};
    QDate from{};
    QDate to{};
    QString archivePath{};
    QDateTime made{};
    // The program's folder for files on their way (it exists); the pack's
    // files are made in a folder of their own there and removed after.
    QString temporaryFolder{};
    whole_file::Existing existing = whole_file::Existing::Refuse;
};

// What a pack whose history does not hold says of it.
inline const QString kHistoryFaults = QStringLiteral(
    "The check of the history found faults: history_check.txt in the pack names them.");

struct Packed {
    QStringList files{};          // the archive's entries, manifest.txt last
    QStringList missingProofs{};  // proof files named but not there
    bool historyHolds = true;     // what history_check.txt says
};

// Writes the archive whole or not at all, replacing a file of its name
// only with Existing::Replace. The PDF needs a GUI application object.
// Throws DatabaseError when the records cannot be read and
// std::runtime_error (whole_file::WriteError, naming the system's reason)
// when a file cannot be written.
Packed pack(const QSqlDatabase& connection, const Request& request);

}  // namespace evidence_pack
