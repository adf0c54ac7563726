#include "shell/create_tables_form.h"

#include "datastore/create_database.h"
#include "datastore/data_module.h"
#include "forms/dialogs.h"
#include "forms/error_guard.h"
#include "forms/fixed_font.h"
#include "forms/text_input.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

bool sameFile(const QString& first, const QString& second) {
    const QString canonicalFirst = QFileInfo(first).canonicalFilePath();
    return !canonicalFirst.isEmpty() && canonicalFirst == QFileInfo(second).canonicalFilePath();
}

}  // namespace

TCreate_Tables::TCreate_Tables(const Locations& locations, TDataModule2& dataModule,
                               Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), locations_(locations), dataModule_(dataModule), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Create_Tables"));
    setWindowTitle(QStringLiteral("Create Databases"));

    auto* prompt =
        new QLabel(QStringLiteral("Enter the name for the new database (8 Characters Maximum)"));
    fld_database_name = new QLineEdit;
    fld_database_name->setObjectName(QStringLiteral("fld_database_name"));
    fld_database_name->setMaxLength(8);
    upperCaseAsTyped(fld_database_name);

    Memo1 = new QPlainTextEdit;
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setFont(fixedPitchFont());
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);

    btn_create_tables = new QPushButton(QStringLiteral("Create Tables"));
    btn_create_tables->setObjectName(QStringLiteral("btn_create_tables"));
    btn_exit = new QPushButton(QStringLiteral("Exit"));
    btn_exit->setObjectName(QStringLiteral("btn_exit"));

    auto* sidePanel = new QGroupBox(QStringLiteral("> CREATE NEW TABLES <"));
    auto* sideLayout = new QVBoxLayout(sidePanel);
    sideLayout->addWidget(btn_create_tables);
    sideLayout->addWidget(btn_exit);
    sideLayout->addStretch();

    auto* work = new QVBoxLayout;
    work->addWidget(prompt);
    work->addWidget(fld_database_name);
    work->addWidget(Memo1, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(sidePanel);
    layout->addLayout(work, 1);
    resize(780, 520);

    const Guard guard(dialogs_, this);
    guard.connect(btn_create_tables, &QPushButton::clicked, [this] { btn_create_tablesClick(); });
    guard.connect(btn_exit, &QPushButton::clicked, [this] { close(); });
}

void TCreate_Tables::btn_create_tablesClick() {
    const QString name = fld_database_name->text().trimmed();
    if (name.isEmpty()) {
        dialogs_.message(this, QString(),
                         QStringLiteral("No database name...can't create tables.."), Buttons::Ok);
        return;
    }
    if (!Locations::isDatabaseName(name)) {
        dialogs_.message(this, QStringLiteral("MESSAGE"),
                         QStringLiteral("\"%1\" cannot name a database: use letters, digits, "
                                        "blanks, \"-\" and \"_\" only.")
                             .arg(name),
                         Buttons::Ok);
        return;
    }
    const QString path = locations_.databasePath(name);
    if (!mayReplace(name, path))
        return;
    Memo1->clear();
    if (createDatabase(locations_, name, [this](const QString& line) { appendToMemo(line); }) ==
        CreateOutcome::Created)
        appendToMemo(QStringLiteral("The database %1 is ready: %2").arg(name, path));
}

bool TCreate_Tables::mayReplace(const QString& name, const QString& path) {
    if (!QFileInfo::exists(path))
        return true;
    if (sameFile(path, dataModule_.openPath())) {
        dialogs_.message(
            this, QStringLiteral("MESSAGE"),
            QStringLiteral("The database %1 is the one in use and cannot be replaced.\n"
                           "Change to another database first.")
                .arg(name),
            Buttons::Ok);
        return false;
    }
    return dialogs_.message(this, QStringLiteral("MESSAGE"),
                            QStringLiteral("A database named %1 already exists.\n"
                                           "Replacing it deletes all of its records.\n"
                                           "Do you want to replace it?")
                                .arg(name),
                            Buttons::YesNo) == Answer::Yes;
}

void TCreate_Tables::appendToMemo(const QString& line) {
    Memo1->appendPlainText(line);
    Memo1->repaint();
}
