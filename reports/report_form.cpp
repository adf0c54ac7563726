#include "reports/report_form.h"

#include "forms/fixed_font.h"
#include "forms/output_file.h"
#include "forms/record_grid.h"
#include "forms/record_maintenance.h"
#include "forms/text_input.h"
#include "reports/report_page.h"

#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

ReportForm::ReportForm(Dialogs& dialogs, Locations locations, const QString& name,
                       const QString& title, int panelWidth, QWidget* parent)
    : QDialog(parent),
      dialogs_(dialogs),
      locations_(std::move(locations)),
      guard_(dialogs, this),
      fld_memo(new QPlainTextEdit),
      sidePanel_(new QVBoxLayout) {
    setObjectName(name);
    setWindowTitle(title);
    fld_memo->setObjectName(QStringLiteral("fld_memo"));
    QFont font = fixedPitchFont();
    font.setPointSize(8);
    fld_memo->setFont(font);
    fld_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    fld_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    fld_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    tabLeavesMemo(fld_memo);

    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedWidth(panelWidth);
    panel->setAutoFillBackground(true);
    panel->setStyleSheet(QStringLiteral("#Panel1 { background: rgb(0, 255, 0); }"));
    panel->setLayout(sidePanel_);
    sidePanel_->addWidget(makeSidePanelPicture(panelWidth - 20), 0, Qt::AlignHCenter);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(fld_memo, 1);
    resize(1000, 640);
}

QStringList ReportForm::lines() const {
    return fld_memo->toPlainText().split(QLatin1Char('\n'));
}

void ReportForm::setLines(const QStringList& lines) {
    fld_memo->setPlainText(lines.join(QLatin1Char('\n')));
}

QPushButton* ReportForm::addButton(const QString& caption, const QString& name,
                                   std::function<void()> handler) {
    QPushButton* button = makeButton(caption, name);
    guard_.connect(button, &QPushButton::clicked, std::move(handler));
    sidePanel_->addWidget(button);
    return button;
}

void ReportForm::addPrintButtons() {
    addButton(QStringLiteral("Print…"), QStringLiteral("btn_print"), [this] { print(); });
    addButton(QStringLiteral("PDF…"), QStringLiteral("btn_pdf"), [this] { savePdf(); });
    sidePanel_->addStretch();
}

void ReportForm::saveText(const QString& fileName, report_text::Closing closing) {
    QStringList report = lines();
    report_text::save(locations_, fileName, closing, report);
    setLines(report);
}

bool ReportForm::refusesBackwardPeriod(const QDate& from, const QDate& to) {
    if (from <= to)
        return false;
    dialogs_.message(this, QStringLiteral("MESSAGE"),
                     QStringLiteral("The from date is after the to date."), Buttons::Ok);
    return true;
}

void ReportForm::print() {
    QPrinter printer;
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        paintReport(printer, lines());
}

void ReportForm::savePdf() {
    const QString folder = locations_.reportsFolder();
    locations_.ensureFolder(folder);
    const std::optional<OutputFile> file =
        chooseOutputFile(dialogs_, this, locations_,
                         {QStringLiteral("Save the report as PDF"), folder,
                          QStringLiteral("PDF files (*.pdf)"), QStringLiteral("pdf")});
    if (!file)
        return;
    writeReportPdf(file->path, lines(), file->existing);
    dialogs_.message(this, QStringLiteral("MESSAGE"),
                     QStringLiteral("The report was saved as PDF to %1").arg(file->path),
                     Buttons::Ok);
}
