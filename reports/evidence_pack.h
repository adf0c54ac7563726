#pragma once

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Everything about a period in one ZIP file for a lawyer, a court or a
// benefits office: the payments report as PDF and text, the payments and
// the job search log as CSV, both statistics reports, every proof file the
// period's payments name (under proofs/), and manifest.txt with the SHA-256
// of every file.
namespace evidence_pack {

struct Request {
    QString databaseName{};
    QDate from{};
    QDate to{};
    QString archivePath{};
    QDateTime made{};
};

struct Packed {
    QStringList files{};          // the archive's entries, manifest.txt last
    QStringList missingProofs{};  // proof files named but not there
};

// Writes the archive whole or not at all, replacing a file of its name.
// The PDF needs a GUI application object. Throws DatabaseError when the
// records cannot be read and std::runtime_error when a file cannot be
// written.
Packed pack(const QSqlDatabase& connection, const Request& request);

}  // namespace evidence_pack
