#include "batch/arrears_command.h"

#include "batch/printed_output.h"
#include "obligations/arrears_csv.h"
#include "obligations/arrears_report.h"
#include "obligations/obligation_store.h"
#include "reports/report_text.h"

namespace batch {

std::optional<ArrearsCommand> arrearsCommandOf(const Options& words, QString& wrong) {
    if (words.save || !words.pdf.isEmpty()) {
        wrong = QStringLiteral("report arrears takes no --save or --pdf.");
        return std::nullopt;
    }
    if (!words.from.isValid() || !words.to.isValid()) {
        wrong = QStringLiteral("report arrears takes --from DATE and --to DATE.");
        return std::nullopt;
    }
    const QString word = words.values.value(QStringLiteral("--count-on"), QStringLiteral("sent"));
    const std::optional<obligations::CountingDate> counting = obligations::countingDateOfWord(word);
    if (!counting) {
        wrong = QStringLiteral("report arrears --count-on %1: not sent, delivered or cleared.")
                    .arg(word);
        return std::nullopt;
    }
    return ArrearsCommand{words.from, words.to, *counting,
                          words.values.value(QStringLiteral("--csv")), words.replace};
}

int writeArrears(const ArrearsCommand& command, const QSqlDatabase& connection, QTextStream& out,
                 QTextStream& err) {
    const obligations::ArrearsStatement statement =
        obligations::storedStatement(connection, command.from, command.to, command.counting);
    printWhole(out, arrears_report::build(statement, report_text::configuration(connection)));
    if (!command.csv.isEmpty()) {
        arrears_csv::write(
            statement, command.csv,
            command.replace ? whole_file::Existing::Replace : whole_file::Existing::Refuse);
        err << "CSV written to " << command.csv << '\n';
    }
    return 0;
}

}  // namespace batch
