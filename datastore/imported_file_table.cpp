#include "datastore/imported_file_table.h"

#include "datastore/schema.h"
#include "platform/sql_statement.h"
#include "platform/windows1252.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace imported_file_table {

namespace {

const QString kMoment = QStringLiteral("yyyy-MM-dd hh:mm");

const schema::Column& fileNameColumn() {
    return *schema::table(schema::kImportedFileTable).column(QStringLiteral("FILE_NAME"));
}

// The file name only tells the user which file it was (the digest is what
// is matched), so a character Windows-1252 cannot hold becomes "?" rather
// than refusing the import.
QString storableName(const QString& name) {
    return windows1252::storable(name).left(fileNameColumn().size);
}

}  // namespace

void insert(const QSqlDatabase& connection, const Row& row) {
    executed(connection,
             QStringLiteral("INSERT INTO %1 (DIGEST, IMPORTED_AT, KIND, FILE_NAME, RECORDS) "
                            "VALUES (?, ?, ?, %2, ?)")
                 .arg(schema::kImportedFileTable, fileNameColumn().parameterSql()),
             {row.digest, row.importedAt, row.kind, storableName(row.fileName), row.records});
}

std::optional<Row> latest(const QSqlDatabase& connection, const QString& digest) {
    QSqlQuery query =
        executed(connection,
                 QStringLiteral("SELECT IMPORTED_AT, KIND, %1, RECORDS FROM %2 WHERE DIGEST = ? "
                                "ORDER BY IMPORTED_AT DESC")
                     .arg(fileNameColumn().selectSql(), schema::kImportedFileTable),
                 {digest});
    if (!query.next())
        return std::nullopt;
    Row row{digest, query.value(0).toDateTime(), query.value(1).toString(),
            query.value(2).toString(), query.value(3).toInt()};
    query.finish();
    return row;
}

QString description(const Row& row) {
    return QStringLiteral("%1, %2 records, %3")
        .arg(row.fileName)
        .arg(row.records)
        .arg(row.importedAt.toString(kMoment));
}

std::optional<Row> fromDescription(const QString& digest, const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^(.*), (\\d+) records, (\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d)$"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QDateTime moment = QDateTime::fromString(match.captured(3), kMoment);
    if (!moment.isValid())
        return std::nullopt;
    return Row{digest, moment, QString(), match.captured(1), match.captured(2).toInt()};
}

}  // namespace imported_file_table
