#include "batch/command_words.h"

namespace batch {

namespace {

// A day from 0001-01-01 to 9999-12-31 as YYYY-MM-DD: the days a database
// holds.
QDate dayOf(const QString& text) {
    const QDate day = QDate::fromString(text, Qt::ISODate);
    return day >= QDate(1, 1, 1) && day <= QDate(9999, 12, 31) ? day : QDate();
}

}  // namespace

std::optional<Options> optionsOf(const QString& command, const QStringList& words,
                                 const QStringList& taken, QString& wrong) {
    Options options;
    for (qsizetype argument = 0; argument < words.size(); ++argument) {
        const QString& word = words[argument];
        if (!word.startsWith(QLatin1String("--"))) {
            options.operands << word;
            continue;
        }
        if (!taken.contains(word)) {
            wrong = QStringLiteral("%1 takes no option %2.").arg(command, word);
            return std::nullopt;
        }
        if (words.indexOf(word) != argument) {
            wrong = QStringLiteral("%1 %2 is given twice.").arg(command, word);
            return std::nullopt;
        }
        if (word == QLatin1String("--save") || word == QLatin1String("--replace")) {
            (word == QLatin1String("--save") ? options.save : options.replace) = true;
            continue;
        }
        if (++argument == words.size() || words[argument].isEmpty()) {
            wrong = QStringLiteral("%1 %2 needs a value.").arg(command, word);
            return std::nullopt;
        }
        if (word == QLatin1String("--pdf") || word == QLatin1String("--record")) {
            (word == QLatin1String("--pdf") ? options.pdf : options.record) = words[argument];
            continue;
        }
        if (word != QLatin1String("--from") && word != QLatin1String("--to")) {
            options.values.insert(word, words[argument]);
            continue;
        }
        const QDate day = dayOf(words[argument]);
        if (!day.isValid()) {
            wrong = QStringLiteral("%1 %2 %3: not a date YYYY-MM-DD from 0001-01-01 to 9999-12-31.")
                        .arg(command, word, words[argument]);
            return std::nullopt;
        }
        (word == QLatin1String("--from") ? options.from : options.to) = day;
    }
    if (options.from.isValid() && options.to.isValid() && options.from > options.to) {
        wrong =
            QStringLiteral("%1: --from %2 is after --to %3.")
                .arg(command, options.from.toString(Qt::ISODate), options.to.toString(Qt::ISODate));
        return std::nullopt;
    }
    return options;
}

int misused(QTextStream& err, const QString& what) {
    err << what << '\n' << QStringLiteral("Try 'quorvel4-batch --help'.") << '\n';
    return 2;
}

}  // namespace batch
