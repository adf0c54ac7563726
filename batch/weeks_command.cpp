#include "batch/weeks_command.h"

#include "batch/printed_output.h"
#include "reports/report_text.h"
#include "worksearch/stored_weekly_log.h"
#include "worksearch/weekly_log_csv.h"
#include "worksearch/weekly_log_report.h"

#include <QFileInfo>

namespace batch {

QStringList WeeksCommand::csvFiles() const {
    return csv.isEmpty() ? QStringList() : weekly_log_csv::paths(csv);
}

std::optional<WeeksCommand> weeksCommandOf(const Options& words, QString& wrong) {
    if (words.save || !words.pdf.isEmpty() || words.values.contains(QStringLiteral("--count-on"))) {
        wrong = QStringLiteral("report weeks takes no --save, --pdf or --count-on.");
        return std::nullopt;
    }
    if (!words.from.isValid() || !words.to.isValid()) {
        wrong = QStringLiteral("report weeks takes --from DATE and --to DATE.");
        return std::nullopt;
    }
    const QString csv = words.values.value(QStringLiteral("--csv"));
    if (!csv.isEmpty() && !QFileInfo(csv).isDir()) {
        wrong = QStringLiteral("report weeks --csv %1: not a folder.").arg(csv);
        return std::nullopt;
    }
    return WeeksCommand{words.from, words.to, csv, words.replace};
}

int writeWeeks(const WeeksCommand& command, const QSqlDatabase& connection, QTextStream& out,
               QTextStream& err) {
    const worksearch::WeeklyLog log =
        worksearch::storedWeeklyLog(connection, command.from, command.to);
    printWhole(out, weekly_log_report::build(log, report_text::configuration(connection)));
    if (!command.csv.isEmpty()) {
        weekly_log_csv::write(
            log, command.csv,
            command.replace ? whole_file::Existing::Replace : whole_file::Existing::Refuse);
        err << "CSV written to " << command.csvFiles().join(QStringLiteral(" and ")) << '\n';
    }
    return 0;
}

}  // namespace batch
