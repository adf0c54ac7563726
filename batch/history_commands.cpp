#include "batch/history_commands.h"

#include "datastore/record_history.h"
#include "history/verification.h"

namespace batch {
namespace {

const QString kIndent(14, QLatin1Char(' '));

QString labelled(const QString& label, const QString& value) {
    return label.leftJustified(kIndent.size()) + value;
}

// One line a column, "COLUMN: old -> new", its values as CHANGES holds
// them (a line feed inside a value stays \n); a line of another form as
// it is.
QStringList changeLines(const QString& changes) {
    QStringList lines;
    for (const QString& line : changes.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList parts = line.split(QLatin1Char('\t'));
        lines << (parts.size() == 3
                      ? QStringLiteral("%1: %2 -> %3").arg(parts[0], parts[1], parts[2])
                      : line);
    }
    return lines;
}

void printEntry(const record_history::StoredEntry& entry, QTextStream& out) {
    out << labelled(QStringLiteral("ID"), QString::number(entry.id)) << '\n'
        << labelled(QStringLiteral("Moment"),
                    entry.moment.toString(QLatin1String(record_history::kMomentFormat)))
        << '\n'
        << labelled(QStringLiteral("Table"), entry.tableName) << '\n'
        << labelled(QStringLiteral("Record key"), entry.recordKey) << '\n'
        << labelled(QStringLiteral("Action"), entry.action) << '\n'
        << labelled(QStringLiteral("Source"), entry.source) << '\n';
    const QStringList changes = changeLines(entry.changes);
    for (qsizetype line = 0; line < changes.size(); ++line)
        out << (line == 0 ? labelled(QStringLiteral("Changes"), changes[line])
                          : kIndent + changes[line])
            << '\n';
    out << labelled(QStringLiteral("Previous hash"), entry.previousHash) << '\n'
        << labelled(QStringLiteral("Hash"), entry.hash) << "\n\n";
}

}  // namespace

int verifyHistory(const QSqlDatabase& connection, QTextStream& out) {
    const history::Verification verification = history::verification(connection);
    for (const QString& line : verification.lines)
        out << line << '\n';
    return verification.holds ? 0 : 1;
}

int showHistory(const QSqlDatabase& connection, const record_history::EntryFilter& filter,
                QTextStream& out) {
    const std::vector<record_history::StoredEntry> entries =
        record_history::entries(connection, filter);
    for (const record_history::StoredEntry& entry : entries)
        printEntry(entry, out);
    out << entries.size() << (entries.size() == 1 ? " entry.\n" : " entries.\n");
    return 0;
}

}  // namespace batch
