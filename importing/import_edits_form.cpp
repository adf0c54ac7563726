#include "importing/import_edits_form.h"

#include "datastore/data_module.h"
#include "datastore/settings_store.h"
#include "datastore/table_names.h"
#include "forms/column_delegate.h"
#include "forms/dialogs.h"
#include "forms/item_file.h"
#include "forms/pick_list_form.h"
#include "forms/record_grid.h"
#include "forms/record_maintenance.h"
#include "importing/import_run.h"
#include "importing/imported_files.h"
#include "importing/job_title_edit_form.h"
#include "importing/mail_import.h"
#include "importing/title_steps.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTableView>

namespace {

namespace job = columns::jobSearch;

// The numbered steps' captions and button names, in step order.
struct Step {
    const char* caption;
    const char* name;
};
const Step kSteps[] = {
    {"(1) Update Job Title  Edits", "btn_update_job_title_edit"},
    {"(2) Open Job Title Edits Table", "btn_open_modify_job_title_edits_table"},
    {"(3) Update Job Title", "btn_update_job_title"},
    {"(4) Update Position Title Table", "btn_update_position_title_table"},
    {"(5) Update Status Table With New Import Values",
     "btn_update_status_table_with_new_import_values"},
    {"(6) Update Reason Not Submitted", "btn_update_reason_not_submitted_table"},
    {"(7) Update City", "btn_update_city"},
    {"(8) Update Contact Name", "btn_update_contact_name"},
    {"(9) Update Reason Not Submitted in Stats Table",
     "btn_update_reason_not_submitted_in_stats_table"},
    {"(10) Update Job Title StatsTable", "btn_update_job_title_stats_table"},
    {"(11) Update Reason Not Submitted in Job Seach Table",
     "btn_update_job_search_reason_not_submitted"},
};

QLabel* statusText(QStatusBar* bar, const QString& name) {
    bar->setObjectName(name);
    bar->setSizeGripEnabled(false);
    auto* text = new QLabel;
    bar->addWidget(text, 1);
    return text;
}

}  // namespace

Tjob_search_import_edits_form::Tjob_search_import_edits_form(TDataModule2& dataModule,
                                                             SettingsStore& settings,
                                                             Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      dataModule_(dataModule),
      settings_(settings),
      dialogs_(dialogs),
      guard_(dialogs, this),
      fld_memo(new QPlainTextEdit(this)),
      StatusBar1(new QStatusBar(this)),
      progress_(new QProgressBar(this)),
      StatusBar2(new QStatusBar(this)),
      counter1_(statusText(StatusBar1, QStringLiteral("StatusBar1"))),
      counter2_(statusText(StatusBar2, QStringLiteral("StatusBar2"))) {
    setObjectName(QStringLiteral("job_search_import_edits_form"));
    setWindowTitle(QStringLiteral("JOB SEARCH PICKLISTS, IMPORTING, EDITS AND PROCESSING"));
    setFixedSize(955, 601);
    setAutoFillBackground(true);
    QPalette lime = palette();
    lime.setColor(QPalette::Window, QColor(0, 255, 0));
    setPalette(lime);

    fld_memo->setObjectName(QStringLiteral("fld_memo"));
    fld_memo->setReadOnly(true);
    fld_memo->setGeometry(11, 8, 933, 150);
    buildGrid();
    StatusBar1->setGeometry(0, 532, 955, 22);
    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->setGeometry(11, 555, 933, 16);
    progress_->setRange(0, 1000);
    progress_->setTextVisible(false);
    StatusBar2->setGeometry(0, 575, 955, 22);
    for (QStatusBar* bar : {StatusBar1, StatusBar2})
        bar->setStyleSheet(QStringLiteral("QStatusBar { background: palette(button); }"));

    guard_.connect(addButton(QStringLiteral("CB V7 (Since 01 Dec 03)"),
                             QStringLiteral("btn_cb_v7_01_december_2003")),
                   &QPushButton::clicked, [this] { btn_cb_v7_01_december_2003Click(); });
    guard_.connect(
        addButton(QStringLiteral("Recruiter Messages"), QStringLiteral("btn_recruiter_messages")),
        &QPushButton::clicked, [this] { btn_recruiter_messagesClick(); });
    guard_.connect(addButton(QStringLiteral("4jobs.com Messages"), QStringLiteral("btn_4jobs")),
                   &QPushButton::clicked, [this] { btn_4jobsClick(); });
    guard_.connect(addButton(QStringLiteral("PickLists"), QStringLiteral("btn_picklists")),
                   &QPushButton::clicked, [this] { btn_picklistsClick(); });
    for (int step = 1; step <= int(std::size(kSteps)); ++step) {
        const Step& shown = kSteps[step - 1];
        guard_.connect(
            addButton(QString::fromLatin1(shown.caption), QString::fromLatin1(shown.name)),
            &QPushButton::clicked, [this, step] { runStep(step); });
    }
}

// The buttons are 300 wide; a caption that would not fit is written smaller.
QPushButton* Tjob_search_import_edits_form::addButton(const QString& caption, const QString& name) {
    QPushButton* button = makeButton(caption, name);
    button->setParent(this);
    QFont font = button->font();
    while (QFontMetrics(font).horizontalAdvance(caption) > 300 - 16 && font.pointSizeF() > 6)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    button->setFont(font);
    buttons_.append(button);
    return button;
}

// The key and chain number are at least 120 wide, as wide as a reference
// number of 15 digits.
void Tjob_search_import_edits_form::buildGrid() {
    TableModel& jobs = *dataModule_.table(tables::jobSearch);
    DBGrid1 = makeRecordGrid(jobs, this);
    DBGrid1->setGeometry(11, 164, 933, 186);
    const int numberWidth =
        std::max(120, QFontMetrics(DBGrid1->font()).horizontalAdvance("46362.7530705123") + 16);
    showGridColumns(DBGrid1, jobs,
                    {{job::pk, "", numberWidth},
                     {job::refnum, "REF NUM", numberWidth},
                     {job::date, "", 120, true},
                     {job::posCity, "CITY", 120},
                     {job::posState, "STATE", 120},
                     {job::posTitle, "TITLE", 120}});
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
}

void Tjob_search_import_edits_form::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    guard_.run([this] { FormActivate(); });
}

// The log is emptied and the buttons stand in their three columns.
void Tjob_search_import_edits_form::FormActivate() {
    fld_memo->clear();
    const int lefts[] = {11, 323, 635};
    const int firstInColumn[] = {0, 4, 10, 15};
    for (int column = 0; column < 3; ++column)
        for (int index = firstInColumn[column]; index < firstInColumn[column + 1]; ++index) {
            QPushButton* button = buttons_[index];
            button->setGeometry(lefts[column], 360 + 28 * (index - firstInColumn[column]), 300, 25);
            button->show();
        }
}

void Tjob_search_import_edits_form::log(const QString& line) {
    fld_memo->appendPlainText(line);
}

void Tjob_search_import_edits_form::btn_cb_v7_01_december_2003Click() {
    importMail(MailKind::CareerBuilder7);
}

void Tjob_search_import_edits_form::btn_recruiter_messagesClick() {
    importMail(MailKind::Recruiter);
}

void Tjob_search_import_edits_form::btn_4jobsClick() {
    importMail(MailKind::FourJobs);
}

void Tjob_search_import_edits_form::btn_picklistsClick() {
    Tpick_list_form pickLists(dataModule_, dialogs_, this);
    pickLists.exec();
}

bool Tjob_search_import_edits_form::confirmImportAgain(const ImportedFiles::File& file,
                                                       const QString& databaseName) {
    if (file.importedBefore.isEmpty())
        return true;
    return dialogs_.message(
               this, QStringLiteral("IMPORTED BEFORE"),
               QStringLiteral("The content of\n%1\nwas imported into %2 before:\n%3\n\nImport it "
                              "again? Its records would be added a second time and counted "
                              "twice in every statistic.")
                   .arg(file.path, databaseName, file.importedBefore),
               Buttons::YesNo) == Answer::Yes;
}

// The grids of the tables an import wrote, its failure included, show what
// they hold now.
void Tjob_search_import_edits_form::importMail(MailKind kind) {
    dataModule_.write([&] { importChosenMail(kind); });
}

void Tjob_search_import_edits_form::importChosenMail(MailKind kind) {
    const QString startFolder =
        kind == MailKind::Recruiter
            ? QString()
            : browseStartFolder(*dataModule_.table(QStringLiteral("CONFIG_4")));
    const QString path =
        dialogs_.openFile(this, {QStringLiteral("Open"), startFolder,
                                 QStringLiteral("All files (*);;*.* (*.*)"), QString()});
    if (path.isEmpty())
        return;
    const QString databaseName = settings_.currentDatabase().name;

    progress_->setValue(0);
    counter2_->clear();
    std::optional<mail_import::Report> report;
    try {
        // The recruiter importer shows no count, as it never has.
        mail_import::Progress progress;
        if (kind != MailKind::Recruiter)
            progress = [this](int passes, qint64 bytesRead, qint64 fileSize) {
                showProgress(passes, bytesRead, fileSize);
            };
        report = mail_import::importOnce(
            kind, dataModule_.connection(), path,
            [&](const ImportedFiles::File& file) { return confirmImportAgain(file, databaseName); },
            [this](const QString& line) { log(line); }, progress);
    } catch (const FileRefused& refusal) {
        counter2_->setText(QStringLiteral("Nothing imported from %1").arg(path));
        dialogs_.message(this, QStringLiteral("NOT IMPORTED"), refusal.message(), Buttons::Ok);
        return;
    } catch (const ImportError& error) {
        counter2_->setText(QStringLiteral("Nothing imported from %1").arg(path));
        dialogs_.message(this, QStringLiteral("PROGRAM ERROR"), error.message(), Buttons::Ok);
        return;
    }
    if (!report)
        return;
    const QString closingLine = mail_import::importedLine(path, report->records);
    log(closingLine);
    counter2_->setText(closingLine);
    progress_->setValue(progress_->maximum());
}

// The count of lines moves while a run goes on; the bar shows the share of
// the file read.
void Tjob_search_import_edits_form::showProgress(int passes, qint64 bytesRead, qint64 fileSize) {
    if (passes % 64 != 1 && bytesRead < fileSize)
        return;
    counter1_->setText(QString::number(passes));
    progress_->setValue(fileSize > 0 ? int(bytesRead * progress_->maximum() / fileSize) : 0);
    counter1_->repaint();
    progress_->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// The recounts warn first, in the words they always used; step 11 also says
// how many job records it will change. Only Yes goes on.
bool Tjob_search_import_edits_form::confirmStatisticsUpdate(int step) {
    const QString changes =
        step == 11 ? QStringLiteral(
                         "This changes the reason not submitted of %1 job search "
                         "records; records whose application was submitted keep "
                         "theirs.\n")
                         .arg(title_steps::jobReasonsToChange(dataModule_.connection()))
                   : QString();
    return dialogs_.message(
               this, QStringLiteral("STATISTICS UPDATE"),
               QStringLiteral("Depending on your data, this could take a while.  With 62,899 "
                              "records in the Job Search Database,and\n721 Records in the Job "
                              "Title Stats database, on a PII, 700MHz computer it took about 14 "
                              "minutes.\nIf started DO NOT use the computer for ANYTHING until "
                              "it's done, database corruption could occur.\n") +
                   changes + QStringLiteral("CONTINUE??"),
               Buttons::YesNo) == Answer::Yes;
}

void Tjob_search_import_edits_form::runStep(int step) {
    const QString logLine = title_steps::logLine(step);
    if (step == 2) {
        log(logLine);
        TJob_Title_Edit edits(dataModule_, dialogs_, this);
        edits.exec();
        return;
    }
    if (step >= 10) {
        if (!confirmStatisticsUpdate(step))
            return;
        counter1_->setText(QStringLiteral("Start"));
    }
    log(logLine);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restoreCursor = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    const title_steps::Report report = dataModule_.write(
        [&] { return title_steps::runStep(step, dataModule_.connection(), QDate::currentDate()); });
    counter1_->setText(report.status1);
    if (!report.status2.isEmpty())
        counter2_->setText(report.status2);
}
