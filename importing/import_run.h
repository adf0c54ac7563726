#pragma once

#include "platform/program_error.h"

#include <QDate>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

// A rule of an importer that the input breaks (a date that does not convert).
class ImportError : public ProgramError {
public:
    using ProgramError::ProgramError;
};

// A file refused before anything of it is stored or recorded: it is not a
// regular file, or it holds no record of the importer's kind.
class FileRefused : public ImportError {
public:
    using ImportError::ImportError;
};

// The values of one imported job search record that differ between the
// importers; the rest (time, position type) are the same for all. A null
// value leaves its column empty.
struct ImportedJob {
    QString dateText;  // month/day/year
    int dateLine = 0;  // the line the date was read from; 0 when none was
    QString contactName;
    QString email;
    QVariant active;
    QString city;  // as read; the run turns it into the stored city
    QString state;
    QString title;  // as read
    QString submitted;
    QString reason;
    QString itemFile;
    QVariant comment;
    bool cityFromPickList = true;  // false: stored as given, pick list untouched
};

// The columns of JSEARCH_4 an imported record fills, in the order its values
// are written.
const QStringList& importedJobColumns();

// One run of an importer on the production connection, inside the run's
// transaction: the reference numbers, the records and the city pick list.
class ImportRun {
public:
    explicit ImportRun(const QSqlDatabase& connection);

    // Appends one job search record with the run's next reference number as
    // key and chain number. Throws ImportError for a date that does not
    // convert, DatabaseError when the database refuses the record.
    void addRecord(const ImportedJob& job);
    int records() const { return records_; }
    // The lowest and the highest key the run gave, 0 before its first record.
    double firstKey() const { return firstKey_; }
    double lastKey() const { return lastKey_; }

private:
    double nextReferenceNumber();
    QString cityOnPickList(const QString& city);
    void loadCities();

    QSqlDatabase connection_;
    QSqlQuery insertJob_;
    QSqlQuery insertCity_;
    QSet<QString> cities_;  // trimmed, in capitals
    double referenceNumber_;
    double firstKey_ = 0;
    double lastKey_ = 0;
    int records_ = 0;
};
