#include "forms/record_history_dialog.h"

#include "datastore/record_entries.h"

#include <QColor>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

enum HistoryColumn { Moment, Action, Column, Before, After, Source };
const QStringList kTitles = {QStringLiteral("MOMENT"),    QStringLiteral("ACTION"),
                             QStringLiteral("COLUMN"),    QStringLiteral("OLD VALUE"),
                             QStringLiteral("NEW VALUE"), QStringLiteral("SOURCE")};
const int kValueWidth = 190;
// The ground of every other entry's lines.
const QColor kShadedEntry(232, 238, 248);

// A line of CHANGES that names no column, as a bulk entry may hold, is
// listed as it stands.
HistoryLine changeLine(const QString& text) {
    const std::vector<record_history::Change> parsed = record_history::parseChanges(text);
    if (parsed.size() != 1)
        return {.after = QString(text).replace(QLatin1Char('\t'), QLatin1Char(' '))};
    return {.column = parsed[0].column, .before = parsed[0].before, .after = parsed[0].after};
}

// A value on one line of the grid: its line breaks shown as a mark.
QString onOneLine(QString value) {
    return value.replace(QLatin1Char('\n'), QChar(0x21B5));
}

}  // namespace

std::vector<HistoryLine> historyLines(const std::vector<record_history::StoredEntry>& entries) {
    std::vector<HistoryLine> lines;
    for (std::size_t number = 0; number < entries.size(); ++number) {
        const record_history::StoredEntry& entry = entries[number];
        QStringList changes = entry.changes.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (changes.isEmpty())
            changes.append(QString());
        for (qsizetype each = 0; each < changes.size(); ++each) {
            HistoryLine line = changeLine(changes[each]);
            line.moment = entry.moment.toString(QLatin1String(record_history::kMomentFormat));
            line.action = entry.action.trimmed();
            line.source = entry.source.trimmed();
            line.entry = int(number);
            line.firstOfEntry = each == 0;
            lines.push_back(line);
        }
    }
    return lines;
}

RecordHistoryDialog::RecordHistoryDialog(const QString& caption,
                                         const std::vector<record_history::StoredEntry>& entries,
                                         QWidget* parent)
    : QDialog(parent),
      lines_(historyLines(entries)),
      grid_history(new QTableWidget(int(lines_.size()), int(kTitles.size()))),
      txt_history_line(new QPlainTextEdit) {
    setObjectName(QStringLiteral("record_history_dialog"));
    setWindowTitle(caption);
    auto* heading = new QLabel(caption);
    heading->setObjectName(QStringLiteral("lbl_history_caption"));
    heading->setStyleSheet(QStringLiteral("font-weight: bold;"));
    auto* nothing = new QLabel(QStringLiteral(
        "No change to this record has been recorded since the database gained its history."));
    nothing->setObjectName(QStringLiteral("lbl_no_history"));
    grid_history->setObjectName(QStringLiteral("grid_history"));
    txt_history_line->setObjectName(QStringLiteral("txt_history_line"));
    txt_history_line->setReadOnly(true);
    txt_history_line->setFixedHeight(170);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("btn_close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(nothing);
    layout->addWidget(grid_history, 1);
    layout->addWidget(txt_history_line);
    layout->addWidget(buttons);
    nothing->setVisible(lines_.empty());
    grid_history->setVisible(!lines_.empty());
    txt_history_line->setVisible(!lines_.empty());
    listLines();
    resize(lines_.empty() ? QSize(560, 120) : QSize(960, 600));
}

void RecordHistoryDialog::listLines() {
    grid_history->setHorizontalHeaderLabels(kTitles);
    grid_history->verticalHeader()->hide();
    grid_history->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_history->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_history->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_history->setWordWrap(false);
    grid_history->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    for (int row = 0; row < int(lines_.size()); ++row) {
        const HistoryLine& line = lines_[row];
        const QString shown[] = {line.firstOfEntry ? line.moment : QString(),
                                 line.firstOfEntry ? line.action : QString(),
                                 line.column,
                                 onOneLine(line.before),
                                 onOneLine(line.after),
                                 line.firstOfEntry ? line.source : QString()};
        for (int column = Moment; column <= Source; ++column) {
            auto* item = new QTableWidgetItem(shown[column]);
            // Lines of one entry share a ground; the next entry's differs.
            if (line.entry % 2 == 1)
                item->setBackground(kShadedEntry);
            grid_history->setItem(row, column, item);
        }
        for (const auto& [column, value] : {std::pair{Before, line.before}, {After, line.after}})
            if (!value.isEmpty())
                grid_history->item(row, column)
                    ->setToolTip(Qt::convertFromPlainText(value, Qt::WhiteSpaceNormal));
    }
    grid_history->resizeColumnsToContents();
    for (int column : {Before, After})
        grid_history->setColumnWidth(column, qMin(grid_history->columnWidth(column), kValueWidth));
    grid_history->horizontalHeader()->setStretchLastSection(true);
    connect(grid_history, &QTableWidget::currentCellChanged, this,
            &RecordHistoryDialog::showChosenLineWhole);
    if (!lines_.empty())
        grid_history->selectRow(0);
}

void RecordHistoryDialog::showChosenLineWhole() {
    const int row = grid_history->currentRow();
    if (row < 0 || row >= int(lines_.size()))
        return;
    const HistoryLine& line = lines_[row];
    QString text = QStringLiteral("%1  %2  %3\n").arg(line.moment, line.action, line.source);
    if (!line.column.isEmpty())
        text += line.column + QStringLiteral("\n\nOLD VALUE:\n") + line.before +
                QStringLiteral("\n\nNEW VALUE:\n");
    txt_history_line->setPlainText(text + line.after);
}

void showRecordHistory(QWidget* parent, const QSqlDatabase& connection, const QString& tableName,
                       const QString& recordKey, const QString& caption) {
    const std::vector<record_history::StoredEntry> entries =
        record_history::entriesOfRecord(connection, tableName, recordKey);
    RecordHistoryDialog dialog(caption, entries, parent);
    dialog.exec();
}
