#include "reports/report_text.h"

#include "datastore/field_text.h"
#include "datastore/output_target.h"
#include "datastore/schema.h"
#include "datastore/table_names.h"
#include "platform/database_error.h"
#include "platform/kbx.h"
#include "platform/program_error.h"
#include "platform/windows1252.h"

#include <QSqlError>
#include <QSqlQuery>

namespace report_text {

namespace {

constexpr int kFrameInside = 78;
const QString kStatement =
    QStringLiteral("Produced by Quorvel4, record keeper of support payments and job searches");

}  // namespace

QString frame() {
    return QLatin1Char('+') + QString(kFrameInside, QLatin1Char('-')) + QLatin1Char('+');
}

QString banner() {
    return QStringLiteral("| ") +
           kStatement.leftJustified(kFrameInside - 1, QLatin1Char(' '), true) + QLatin1Char('|');
}

QStringList bannerLines() {
    return {frame(), banner(), frame()};
}

QString cityLine(const QString& city, const QString& state, const QString& zip) {
    return city + QStringLiteral(", ") + state + QLatin1Char(' ') + zip;
}

QStringList paymentPartiesLines(const QHash<QString, QString>& configuration) {
    namespace names = columns::configuration;
    const QString indent(27, QLatin1Char(' '));
    return {
        QStringLiteral("PERSON RECEIVING PAYMENTS: ") + configuration.value(names::exSpouseName),
        QStringLiteral("        SOCIAL SECURITY #: ") + configuration.value(names::exSpouseSsan),
        indent + configuration.value(names::exSpouseAddress),
        indent + cityLine(configuration.value(names::exSpouseCity),
                          configuration.value(names::exSpouseState),
                          configuration.value(names::exSpouseZip)),
        QString(),
        QStringLiteral("PERSON MAKING PAYMENTS   : ") + configuration.value(names::myName),
        indent + configuration.value(names::myAddress),
        indent + cityLine(configuration.value(names::myCity), configuration.value(names::myState),
                          configuration.value(names::myZip)),
        QString()};
}

QString centsText(qint64 cents) {
    const qint64 whole = cents < 0 ? -cents : cents;
    return QStringLiteral("%1%2.%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString())
        .arg(whole / 100)
        .arg(whole % 100, 2, 10, QLatin1Char('0'));
}

QString tableLine(const std::vector<Cell>& cells, int gap) {
    QString line;
    for (const Cell& cell : cells)
        kbx::_kbx_format_output(cell.text, line, cell.width, gap, cell.fill, cell.flag);
    return line;
}

QHash<QString, QString> configuration(const QSqlDatabase& connection) {
    const schema::Table& table = schema::table(tables::configuration);
    QStringList selected;
    for (const schema::Column& column : table.columns)
        selected.append(column.selectSql());
    QSqlQuery query(connection);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT FIRST 1 %1 FROM %2 ORDER BY RDB$DB_KEY")
                        .arg(selected.join(QStringLiteral(", ")), tables::configuration)))
        throw DatabaseError(query.lastError().text());
    QHash<QString, QString> values;
    if (query.next())
        for (int column = 0; column < int(table.columns.size()); ++column)
            values.insert(table.columns[column].name,
                          field_text::fromValue(table.columns[column], query.value(column)));
    return values;
}

QStringList paymentsClosingLines(const QString& path) {
    return {QString(), QStringLiteral("Saved to file: ") + path};
}

QStringList statisticsClosingLines(const QString& path) {
    const QString rule(55, QLatin1Char('-'));
    return {QString(), rule, QStringLiteral("Saved to file: ") + path, rule, QString()};
}

void writeReportFile(const QString& path, const QStringList& lines, whole_file::Existing existing) {
    QByteArray bytes;
    for (const QString& line : lines) {
        const std::optional<QByteArray> encoded = windows1252::encode(line);
        if (!encoded)
            throw ProgramError(
                QStringLiteral("The report cannot be saved: its line \"%1\" holds %2, a character "
                               "a Windows-1252 text file cannot hold.")
                    .arg(line, windows1252::firstUnstorable(line)));
        bytes += *encoded + "\r\n";
    }
    whole_file::write(path, bytes, existing);
}

QString save(const Locations& locations, const QString& fileName, Closing closing,
             QStringList& lines) {
    const QString folder = locations.reportsFolder();
    locations.ensureFolder(folder);
    const QString path = folder + QLatin1Char('/') + fileName;
    // The reports folder may have been made a link to somewhere else.
    if (const QString refusal = output_target::refusal(locations, path); !refusal.isEmpty())
        throw whole_file::WriteError(refusal);
    const QStringList closingLines =
        closing == Closing::Payments ? paymentsClosingLines(path) : statisticsClosingLines(path);
    writeReportFile(path, lines + closingLines, whole_file::Existing::Replace);
    lines << closingLines;
    return path;
}

}  // namespace report_text
