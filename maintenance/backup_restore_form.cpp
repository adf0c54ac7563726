#include "maintenance/backup_restore_form.h"

#include "forms/dialogs.h"
#include "forms/record_grid.h"
#include "forms/record_maintenance.h"
#include "maintenance/backup_restore.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kPanelWidth = 200;

// Long paths wrap anywhere, so that a whole file name is always in sight.
QPlainTextEdit* makeMemo(const QString& name) {
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return memo;
}

// The wait cursor while a service runs, restored however the run ends.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

Tbackup_restore_form::Tbackup_restore_form(const Locations& locations, Dialogs& dialogs,
                                           QWidget* parent)
    : QDialog(parent),
      locations_(locations),
      dialogs_(dialogs),
      guard_(dialogs, this),
      Memo1(makeMemo(QStringLiteral("Memo1"))),
      Memo2(makeMemo(QStringLiteral("Memo2"))) {
    setObjectName(QStringLiteral("backup_restore_form"));
    setWindowTitle(QStringLiteral("Backup And Restore"));

    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedWidth(kPanelWidth);
    panel->setAutoFillBackground(true);
    panel->setStyleSheet(QStringLiteral("#Panel1 { background: rgb(0, 255, 0); }"));
    auto* side = new QVBoxLayout(panel);
    side->addWidget(makeSidePanelPicture(kPanelWidth - 20), 0, Qt::AlignHCenter);
    side->addWidget(addButton(QStringLiteral("SINGLE DB BACKUP"),
                              QStringLiteral("btn_single_db_backup"),
                              [this] { btn_single_db_backupClick(); }));
    side->addWidget(addButton(QStringLiteral("RESTORE"), QStringLiteral("btn_restore"),
                              [this] { btn_restoreClick(); }));
    auto* allGroup = new QGroupBox;
    allGroup->setObjectName(QStringLiteral("GroupBox1"));
    auto* allLayout = new QVBoxLayout(allGroup);
    allLayout->addWidget(addButton(QStringLiteral("ALL DB BACKUP"),
                                   QStringLiteral("btn_all_db_backup"),
                                   [this] { btn_all_db_backupClick(); }));
    side->addSpacing(20);
    side->addWidget(allGroup);
    side->addStretch();

    auto* memos = new QVBoxLayout;
    memos->addWidget(new QLabel(QStringLiteral("Files handled:")));
    memos->addWidget(Memo1, 1);
    memos->addWidget(new QLabel(QStringLiteral("Progress of the database server:")));
    memos->addWidget(Memo2, 2);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(panel);
    layout->addLayout(memos, 1);
    resize(1000, 600);
}

QPushButton* Tbackup_restore_form::addButton(const QString& caption, const QString& name,
                                             std::function<void()> handler) {
    QPushButton* button = makeButton(caption, name);
    guard_.connect(button, &QPushButton::clicked, std::move(handler));
    return button;
}

void Tbackup_restore_form::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void Tbackup_restore_form::FormActivate() {
    clearMemos();
}

void Tbackup_restore_form::clearMemos() {
    Memo1->clear();
    Memo2->clear();
}

void Tbackup_restore_form::addSummary(const QString& line) {
    Memo1->appendPlainText(line);
}

// The service's lines are shown as they come, so the form is painted after
// each one; the user's clicks wait until the service is done.
void Tbackup_restore_form::addProgress(const QString& line) {
    Memo2->appendPlainText(line);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

backup_restore::Output Tbackup_restore_form::memoOutput() {
    return {[this](const QString& line) { addSummary(line); },
            [this](const QString& line) { addProgress(line); }, [this] { Memo2->clear(); }};
}

void Tbackup_restore_form::btn_single_db_backupClick() {
    clearMemos();
    const QString database = dialogs_.openFile(
        this, {QStringLiteral("Back up which database?"), locations_.databaseFolder(),
               QStringLiteral("Databases (*.gdb *.GDB)"), QStringLiteral("GDB")});
    if (database.isEmpty())
        return;
    BusyCursor busy;
    backup_restore::backupDatabase(locations_, database, memoOutput());
}

// Each file's progress starts afresh.
void Tbackup_restore_form::btn_all_db_backupClick() {
    clearMemos();
    BusyCursor busy;
    backup_restore::backupAll(locations_, memoOutput());
}

void Tbackup_restore_form::btn_restoreClick() {
    clearMemos();
    const QString backup =
        dialogs_.openFile(this, {QStringLiteral("Restore which backup?"), locations_.backupFolder(),
                                 QStringLiteral("Backups (*.gdk *.GDK)"), QStringLiteral("GDK")});
    if (backup.isEmpty())
        return;
    BusyCursor busy;
    backup_restore::restoreBackup(locations_, backup, memoOutput());
    Memo2->clear();
}
