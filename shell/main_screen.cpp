#include "shell/main_screen.h"

#include "datastore/data_module.h"
#include "evidence/evidence_pack_form.h"
#include "forms/dialogs.h"
#include "forms/pick_list_form.h"
#include "importing/import_edits_form.h"
#include "importing/job_title_edit_form.h"
#include "jobsearch/job_search_form.h"
#include "maintenance/backup_restore_form.h"
#include "maintenance/database_archive.h"
#include "obligations/arrears_statement_form.h"
#include "obligations/obligations_form.h"
#include "payments/payment_records_form.h"
#include "payments/payments_report_form.h"
#include "platform/kbx.h"
#include "reports/statistics_report_forms.h"
#include "shell/change_database.h"
#include "shell/configuration_form.h"
#include "shell/create_tables_form.h"
#include "worksearch/weekly_work_search_form.h"
#include "worksearch/work_search_rules_form.h"

#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

TMain_Screen2::TMain_Screen2(const Locations& locations, SettingsStore& settings,
                             TDataModule2& dataModule, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      locations_(locations),
      settings_(settings),
      dataModule_(dataModule),
      dialogs_(dialogs),
      guard_(dialogs, this),
      activation_(locations, settings, dataModule, dialogs, this) {
    setObjectName(QStringLiteral("Main_Screen2"));
    setWindowTitle(QStringLiteral("QUORVEL ") +
                   kbx::_kbx_Get_Versioning_Info(QStringLiteral("FileVersion")) +
                   QStringLiteral("::2004-02-01::"));

    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/main_screen.png")));
    Image1->setScaledContents(true);
    Image1->setMinimumSize(1, 1);

    Label1 = new QLabel(settings_.currentDatabase().name);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(Image1, 1);
    layout->addWidget(Label1);
    setCentralWidget(central);
    resize(800, 560);

    buildMenu();
}

QMenu* TMain_Screen2::addMenu(QMenu* parentMenu, const QString& caption, const QString& name) {
    QMenu* menu = parentMenu ? parentMenu->addMenu(caption) : menuBar()->addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

QAction* TMain_Screen2::addItem(QMenu* menu, const QString& caption, const QString& name,
                                std::function<void()> handler) {
    QAction* item = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
    item->setObjectName(name);
    // An item whose form is not built yet is shown disabled rather than
    // silently doing nothing.
    item->setEnabled(static_cast<bool>(handler));
    if (handler)
        guard_.connect(item, &QAction::triggered, std::move(handler));
    return item;
}

void TMain_Screen2::buildMenu() {
    addItem(nullptr, QStringLiteral("Exit"), QStringLiteral("Exit1"), [this] { Exit1Click(); });

    Databases1 = addMenu(nullptr, QStringLiteral("Databases"), QStringLiteral("Databases1"));
    QMenu* payments =
        addMenu(Databases1, QStringLiteral("Payment Records"), QStringLiteral("PaymentRecords1"));
    addItem(payments, QStringLiteral("Maintain Payment Records"),
            QStringLiteral("MaintainPaymentRecords1"), [this] { MaintainPaymentRecords1Click(); });
    QMenu* jobSearch = addMenu(Databases1, QStringLiteral("Job Search Records"),
                               QStringLiteral("JobSearchRecords1"));
    addItem(jobSearch, QStringLiteral("Maintain Job Search Records"),
            QStringLiteral("MaintainJobSearchRecords1"),
            [this] { MaintainJobSearchRecords1Click(); });
    addItem(jobSearch, QStringLiteral("Job Search Edits/Imports"),
            QStringLiteral("JobSearchEditsImports1"), [this] { JobSearchEditsImports1Click(); });
    addItem(jobSearch, QStringLiteral("Job Title Edits"), QStringLiteral("JobTitleEdits1"),
            [this] { JobTitleEdits1Click(); });
    addItem(Databases1, QStringLiteral("Support Obligations"),
            QStringLiteral("SupportObligations1"), [this] { SupportObligations1Click(); });
    addItem(Databases1, QStringLiteral("Pick Lists"), QStringLiteral("PickLists1"),
            [this] { PickLists1Click(); });
    addItem(Databases1, QStringLiteral("ZIP Databases"), QStringLiteral("ZIPDatabases1"),
            [this] { ZIPDatabases1Click(); });
    addItem(Databases1, QStringLiteral("UNZIP Databases"), QStringLiteral("UNZIPDatabases1"),
            [this] { UNZIPDatabases1Click(); });

    Reports1 = addMenu(nullptr, QStringLiteral("Reports"), QStringLiteral("Reports1"));
    addItem(Reports1, QStringLiteral("Payments"), QStringLiteral("Payments1"),
            [this] { Payments1Click(); });
    addItem(Reports1, QStringLiteral("Arrears Statement"), QStringLiteral("ArrearsStatement1"),
            [this] { ArrearsStatement1Click(); });
    addItem(Reports1, QStringLiteral("Weekly Work Search"), QStringLiteral("WeeklyWorkSearch1"),
            [this] { WeeklyWorkSearch1Click(); });
    QMenu* jobSearchReports =
        addMenu(Reports1, QStringLiteral("Job Search"), QStringLiteral("JobSearch2"));
    addItem(jobSearchReports, QStringLiteral("Disqualified By State"),
            QStringLiteral("DisqualifiedByState1"), [this] { DisqualifiedByState1Click(); });
    addItem(jobSearchReports, QStringLiteral("Disqualified By Title"),
            QStringLiteral("DisqualifiedByTitle1"), [this] { DisqualifiedByTitle1Click(); });
    addItem(Reports1, QStringLiteral("Evidence Pack…"), QStringLiteral("EvidencePack1"),
            [this] { EvidencePack1Click(); });

    QMenu* utilities = addMenu(nullptr, QStringLiteral("Utilities"), QStringLiteral("Utilities1"));
    Configuration1 = addItem(utilities, QStringLiteral("Configuration"),
                             QStringLiteral("Configuration1"), [this] { Configuration1Click(); });
    addItem(utilities, QStringLiteral("Create Databases"), QStringLiteral("CreateDatabases1"),
            [this] { CreateDatabases1Click(); });
    addItem(utilities, QStringLiteral("Change Databases"), QStringLiteral("ChangeDatabases1"),
            [this] { ChangeDatabases1Click(); });
    addItem(utilities, QStringLiteral("Backup And Restore"), QStringLiteral("BackupAndRestore1"),
            [this] { BackupAndRestore1Click(); });
    WorkSearchRules1 =
        addItem(utilities, QStringLiteral("Work Search Rules"), QStringLiteral("WorkSearchRules1"),
                [this] { WorkSearchRules1Click(); });

    addItem(nullptr, QStringLiteral("Help"), QStringLiteral("Help1"));
}

void TMain_Screen2::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownBefore_)
        return;
    shownBefore_ = true;
    // After the window is on screen, so that its messages have a parent to sit on.
    QTimer::singleShot(0, this, &TMain_Screen2::FormActivate);
}

void TMain_Screen2::FormActivate() {
    const bool opened = guard_.run([this] {
        current_ = activation_.settleCurrentDatabase();
        Label1->setText(current_.name);
        activation_.openDatabase(current_);
        if (activation_.refuseLiveWork(current_))
            disableDataMenus();
    });
    // Without an open database the data forms would have nothing to work on.
    if (!opened)
        disableDataMenus();
}

void TMain_Screen2::disableDataMenus() {
    Databases1->menuAction()->setEnabled(false);
    Reports1->menuAction()->setEnabled(false);
    Configuration1->setEnabled(false);
    WorkSearchRules1->setEnabled(false);
}

void TMain_Screen2::showModal(const std::function<QDialog*()>& makeForm) {
    bool quitting = false;
    guard_.run([&] {
        std::unique_ptr<QDialog> form(makeForm());
        form->exec();
        // A form still on screen did not close: the program is quitting
        // (logout, Ctrl+C, the database changed) and must not rebuild firstdb.
        quitting = form->isVisible();
    });
    if (!quitting)
        FormActivate();
}

void TMain_Screen2::Exit1Click() {
    if (dialogs_.message(this, QStringLiteral("PROGRAM TERMINATION REQUESTED"),
                         QStringLiteral("Do you really want to exit??\n"),
                         Buttons::YesNo) == Answer::Yes)
        emit programTerminationRequested();
}

void TMain_Screen2::MaintainPaymentRecords1Click() {
    showModal([this] { return new Tpayment_records_form(dataModule_, dialogs_, this); });
}

void TMain_Screen2::MaintainJobSearchRecords1Click() {
    showModal([this] { return new TJob_Search(dataModule_, dialogs_, this); });
}

// A large import is best made with a backup at hand: No offers the backup
// form first, and the import follows when it closes.
void TMain_Screen2::JobSearchEditsImports1Click() {
    if (dialogs_.message(
            this, QStringLiteral("MASSIVE DATA IMPORT"),
            QStringLiteral("Have you backed up the data file you are importing into?\n"),
            Buttons::YesNo) == Answer::No) {
        guard_.run([this] { Tbackup_restore_form(locations_, dialogs_, this).exec(); });
    }
    showModal([this] {
        return new Tjob_search_import_edits_form(dataModule_, settings_, dialogs_, this);
    });
}

void TMain_Screen2::JobTitleEdits1Click() {
    showModal([this] { return new TJob_Title_Edit(dataModule_, dialogs_, this); });
}

void TMain_Screen2::SupportObligations1Click() {
    showModal([this] { return new TObligations_Form(dataModule_, dialogs_, this); });
}

void TMain_Screen2::WorkSearchRules1Click() {
    showModal([this] { return new TWork_Search_Rules(dataModule_, dialogs_, this); });
}

void TMain_Screen2::BackupAndRestore1Click() {
    showModal([this] { return new Tbackup_restore_form(locations_, dialogs_, this); });
}

// A database file is read for the archive only while nothing holds it.
void TMain_Screen2::ZIPDatabases1Click() {
    if (dialogs_.message(this, QStringLiteral("DATABASE ZIPPING REQUESTED"),
                         QStringLiteral("ZIPPING of Databases could take awhile, depening on the "
                                        "amount of data.  Continue??\n"),
                         Buttons::YesNo) != Answer::Yes)
        return;
    QString archive;
    dataModule_.whileClosed([&] {
        archive = database_archive::zipDatabaseFolder(locations_, QDateTime::currentDateTime());
    });
    dialogs_.message(this, QStringLiteral("MESSAGE"),
                     QStringLiteral("The databases have been ZIPPED up into: ") + archive +
                         QStringLiteral("\nThe filename is in the format of: "
                                        "QUORVEL-YYYY-MM-DD-HH-MM-SS\n"),
                     Buttons::Ok);
}

void TMain_Screen2::UNZIPDatabases1Click() {
    locations_.ensureFolder(locations_.zipFolder());
    const QString archive =
        dialogs_.openFile(this, {QStringLiteral("Unzip which archive?"), locations_.zipFolder(),
                                 QStringLiteral("ZIP archives (*.zip)"), QStringLiteral("zip")});
    if (archive.isEmpty())
        return;
    const database_archive::Unpacked unpacked =
        database_archive::unzipArchive(archive, locations_.unzipFolder());
    dialogs_.message(this, QStringLiteral("MESSAGE"), database_archive::unpackedMessage(unpacked),
                     Buttons::Ok);
}

void TMain_Screen2::Payments1Click() {
    showModal([this] { return new TPayments_Report(dataModule_, dialogs_, locations_, this); });
}

void TMain_Screen2::ArrearsStatement1Click() {
    showModal([this] { return new TArrears_Statement(dataModule_, dialogs_, locations_, this); });
}

void TMain_Screen2::WeeklyWorkSearch1Click() {
    showModal([this] { return new TWeekly_Work_Search(dataModule_, dialogs_, locations_, this); });
}

void TMain_Screen2::DisqualifiedByState1Click() {
    showModal([this] {
        return new TJob_Search_Stats_Job_State(dataModule_, dialogs_, locations_, this);
    });
}

void TMain_Screen2::DisqualifiedByTitle1Click() {
    showModal([this] {
        return new TJob_Search_Stats_Job_Title(dataModule_, dialogs_, locations_, this);
    });
}

void TMain_Screen2::EvidencePack1Click() {
    showModal([this] {
        return new TEvidencePack(dataModule_, dialogs_, locations_, current_.name, this);
    });
}

void TMain_Screen2::PickLists1Click() {
    showModal([this] { return new Tpick_list_form(dataModule_, dialogs_, this); });
}

void TMain_Screen2::Configuration1Click() {
    showModal([this] { return new TConfiguration(dataModule_, dialogs_, this); });
}

void TMain_Screen2::CreateDatabases1Click() {
    showModal([this] { return new TCreate_Tables(locations_, dataModule_, dialogs_, this); });
}

void TMain_Screen2::ChangeDatabases1Click() {
    const std::optional<CurrentDatabase> chosen = chooseDatabaseFile(dialogs_, this, locations_);
    if (!chosen)
        return;
    settings_.recordCurrentDatabase(*chosen);
    current_ = settings_.currentDatabase();
    dialogs_.message(this, QStringLiteral("PROGRAM TERMINATION"),
                     QStringLiteral("Since the database has been changed...\n"
                                    "Program must be restarted, stopping program"),
                     Buttons::Ok);
    emit programTerminationRequested();
}
