#include "datastore/imported_file_table.h"

#include "datastore/schema.h"
#include "platform/database_error.h"
#include "platform/windows1252.h"

#include <QRegularExpression>
#include <QSqlError>
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
    QString result;
    for (const char32_t point : name.toUcs4()) {
        const QString character = QString::fromUcs4(&point, 1);
        result += windows1252::encode(character) ? character : QStringLiteral("?");
    }
    return result.left(fileNameColumn().size);
}

void prepare(QSqlQuery& query, const QString& sql) {
    if (!query.prepare(sql))
        throw DatabaseError(query.lastError().text());
}

void execute(QSqlQuery& query) {
    if (!query.exec())
        throw DatabaseError(query.lastError().text());
}

}  // namespace

void insert(const QSqlDatabase& connection, const Row& row) {
    QSqlQuery query(connection);
    prepare(query, QStringLiteral("INSERT INTO %1 (DIGEST, IMPORTED_AT, KIND, FILE_NAME, RECORDS) "
                                  "VALUES (?, ?, ?, %2, ?)")
                       .arg(schema::kImportedFileTable, fileNameColumn().parameterSql()));
    query.addBindValue(row.digest);
    query.addBindValue(row.importedAt);
    query.addBindValue(row.kind);
    query.addBindValue(storableName(row.fileName));
    query.addBindValue(row.records);
    execute(query);
}

std::optional<Row> latest(const QSqlDatabase& connection, const QString& digest) {
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    prepare(query, QStringLiteral("SELECT IMPORTED_AT, KIND, %1, RECORDS FROM %2 WHERE DIGEST = ? "
                                  "ORDER BY IMPORTED_AT DESC")
                       .arg(fileNameColumn().selectSql(), schema::kImportedFileTable));
    query.addBindValue(digest);
    execute(query);
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
