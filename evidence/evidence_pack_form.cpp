#include "evidence/evidence_pack_form.h"

#include "datastore/data_module.h"
#include "evidence/evidence_pack.h"
#include "forms/date_picker.h"
#include "forms/dialogs.h"
#include "forms/output_file.h"
#include "forms/record_maintenance.h"
#include "platform/kbx.h"
#include "platform/program_error.h"

#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TEvidencePack::TEvidencePack(TDataModule2& dataModule, Dialogs& dialogs, Locations locations,
                             QString databaseName, QWidget* parent)
    : QDialog(parent),
      dataModule_(dataModule),
      dialogs_(dialogs),
      locations_(std::move(locations)),
      databaseName_(std::move(databaseName)),
      guard_(dialogs, this),
      fld_from(new DatePicker(guard_, this)),
      fld_to(new DatePicker(guard_, this)) {
    setObjectName(QStringLiteral("EvidencePack"));
    setWindowTitle(QStringLiteral("Evidence Pack"));
    fld_from->setObjectName(QStringLiteral("fld_from"));
    fld_to->setObjectName(QStringLiteral("fld_to"));
    const QDate today = QDate::currentDate();
    fld_from->setDate(QDate(today.year(), 1, 1));
    fld_to->setDate(today);

    auto* explanation = new QLabel(QStringLiteral(
        "One ZIP file for a lawyer, a court or a benefits office: the payments report (PDF "
        "and text), the payments and job search records (CSV), the statistics reports, the "
        "arrears statement (PDF, text and CSV), the weekly work-search log (PDF, text and "
        "CSV), the history of the period's records and its check, the item files the "
        "period's payments name, and a manifest with the SHA-256 of each file."));
    explanation->setWordWrap(true);
    auto* dates = new QFormLayout;
    dates->addRow(QStringLiteral("From"), fld_from);
    dates->addRow(QStringLiteral("To"), fld_to);
    QPushButton* pack = makeButton(QStringLiteral("Make the pack…"), QStringLiteral("btn_pack"));
    guard_.connect(pack, &QPushButton::clicked, [this] { btn_packClick(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(dates);
    layout->addWidget(pack);
    resize(460, 220);
}

void TEvidencePack::btn_packClick() {
    const QDate from = fld_from->date(), to = fld_to->date();
    if (fld_from->isAbsent() || fld_to->isAbsent() || from > to) {
        dialogs_.message(this, QStringLiteral("MESSAGE"),
                         QStringLiteral("Choose a From date on or before the To date."),
                         Buttons::Ok);
        return;
    }
    const QString documents = kbx::_kbx_Get_Special_Folder_Location(QStringLiteral("PERSONAL"));
    const std::optional<OutputFile> file = chooseOutputFile(
        dialogs_, this, locations_,
        {QStringLiteral("Save the evidence pack"),
         QStringLiteral("%1/evidence_%2_%3_to_%4.zip")
             .arg(documents, databaseName_, from.toString(Qt::ISODate), to.toString(Qt::ISODate)),
         QStringLiteral("ZIP archives (*.zip)"), QStringLiteral("zip")});
    if (!file)
        return;
    const QString& path = file->path;
    if (!locations_.ensureFolder(locations_.temporaryFolder()))
        throw ProgramError(QStringLiteral("%1 cannot be made.").arg(locations_.temporaryFolder()));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    evidence_pack::Packed packed;
    try {
        packed = evidence_pack::pack(dataModule_.connection(),
                                     {databaseName_, from, to, path, QDateTime::currentDateTime(),
                                      locations_.temporaryFolder(), file->existing});
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
    QString text =
        QStringLiteral("The evidence pack is in %1, %2 files.").arg(path).arg(packed.files.size());
    if (!packed.missingProofs.isEmpty())
        text += QStringLiteral(
                    "\n\nThese item files are named but missing (the manifest lists "
                    "them too):\n  ") +
                packed.missingProofs.join(QStringLiteral("\n  "));
    if (!packed.historyHolds)
        text += QStringLiteral("\n\n") + evidence_pack::kHistoryFaults;
    dialogs_.message(this, QStringLiteral("MESSAGE"), text, Buttons::Ok);
    accept();
}
