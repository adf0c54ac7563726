#include "shell/configuration_form.h"

#include "datastore/data_module.h"
#include "datastore/state_codes.h"
#include "datastore/table_names.h"
#include "forms/dialogs.h"
#include "forms/lookup_list.h"
#include "forms/record_binding.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TConfiguration::TConfiguration(TDataModule2& dataModule, Dialogs& dialogs, QWidget* parent)
    : RecordForm(dialogs, parent),
      binding_(new RecordBinding(*dataModule.table(tables::configuration), this)),
      btn_exit(makeButton(QStringLiteral("Exit"), QStringLiteral("btn_exit"))),
      lbl_sidebar_hint(new QLabel(QStringLiteral("Default is: clLime"))) {
    setObjectName(QStringLiteral("Configuration"));
    setWindowTitle(QStringLiteral("Configuration"));
    lbl_sidebar_hint->setObjectName(QStringLiteral("lbl_sidebar_hint"));

    QGroupBox* sidePanel = makeEditingSidePanel(
        {buttons_.add, buttons_.edit, buttons_.remove, buttons_.save, buttons_.cancel, btn_exit});
    static_cast<QVBoxLayout*>(sidePanel->layout())->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(sidePanel);
    layout->addWidget(buildFields(), 1);

    TableModel& config = binding_->model();
    states_.setFields(fields_);
    states_.setNormalOnly({btn_exit});
    states_.setShownWhileEditing({lbl_sidebar_hint});
    states_.setAddAllowed([&config] { return config.rowCount() == 0; });
    states_.setDeleteAllowed(false);

    guard_.connect(buttons_.add, &QPushButton::clicked, [this] { btn_addClick(); });
    guard_.connect(buttons_.edit, &QPushButton::clicked, [this] { btn_editClick(); });
    guard_.connect(buttons_.save, &QPushButton::clicked, [this] { btn_saveClick(); });
    guard_.connect(buttons_.cancel, &QPushButton::clicked, [this] { btn_cancelClick(); });
    guard_.connect(btn_exit, &QPushButton::clicked, [this] { close(); });
    guard_.onKey(fld_file_browse_start, Qt::Key_F2, [this] { fld_file_browse_startKeyDown(); });
}

QWidget* TConfiguration::field(QWidget* editor, const QString& name, const QString& column) {
    editor->setObjectName(name);
    binding_->bind(editor, column);
    fields_.append(editor);
    return editor;
}

QWidget* TConfiguration::buildFields() {
    namespace config = columns::configuration;
    auto* mine = new QGroupBox(QStringLiteral("MY INFORMATION"));
    auto* myForm = new QFormLayout(mine);
    myForm->addRow(QStringLiteral("NAME"), field(new QLineEdit, "fld_my_name", config::myName));
    myForm->addRow(QStringLiteral("STREET/PO BOX"),
                   field(new QLineEdit, "fld_my_address", config::myAddress));
    myForm->addRow(QStringLiteral("CITY"), field(new QLineEdit, "fld_my_city", config::myCity));
    myForm->addRow(QStringLiteral("STATE"),
                   field(makeDropDown(stateCodes()), "fld_my_state", config::myState));
    myForm->addRow(QStringLiteral("ZIP"), field(new QLineEdit, "fld_my_zip", config::myZip));

    auto* theirs = new QGroupBox(QStringLiteral("EX-SPOUSE INFORMATION"));
    auto* theirForm = new QFormLayout(theirs);
    theirForm->addRow(QStringLiteral("NAME"),
                      field(new QLineEdit, "fld_ex_spouse_name", config::exSpouseName));
    theirForm->addRow(QStringLiteral("STREET/PO BOX"),
                      field(new QLineEdit, "fld_ex_spouse_address", config::exSpouseAddress));
    theirForm->addRow(QStringLiteral("CITY"),
                      field(new QLineEdit, "fld_ex_spouse_city", config::exSpouseCity));
    theirForm->addRow(QStringLiteral("STATE"), field(makeDropDown(stateCodes()),
                                                     "fld_ex_spouse_state", config::exSpouseState));
    theirForm->addRow(QStringLiteral("ZIP"),
                      field(new QLineEdit, "fld_ex_spouse_zip", config::exSpouseZip));
    theirForm->addRow(QStringLiteral("SOCIAL SEC #"),
                      field(new QLineEdit, "fld_ex_spouse_ssan", config::exSpouseSsan));

    auto* settings = new QFormLayout;
    fld_file_browse_start = static_cast<QLineEdit*>(
        field(new QLineEdit, "fld_file_browse_start", config::browseStartHere));
    settings->addRow(QStringLiteral("FILE BROWSE START DIR (PRESS F2)"), fld_file_browse_start);
    settings->addRow(QStringLiteral("AUTO ZIP DATABASES"),
                     field(makeDropDown({"1", "0"}), "fld_auto_zip", config::autoZip));
    settings->addRow(QString(), lbl_sidebar_hint);

    // Stored, never shown: the side bar is lime whatever it holds.
    fld_sidebar_color = new QLineEdit(this);
    fld_sidebar_color->setObjectName(QStringLiteral("fld_sidebar_color"));
    binding_->bind(fld_sidebar_color, config::sideBarColor);
    fld_sidebar_color->hide();
    fld_sidebar_color->setEnabled(false);

    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->addWidget(mine);
    layout->addWidget(theirs);
    layout->addLayout(settings);
    layout->addStretch();
    return column;
}

void TConfiguration::FormActivate() {
    binding_->showRow(0);
    states_.enterNormalState();
}

void TConfiguration::btn_addClick() {
    binding_->appendRow();
    states_.enterAddEditState();
}

void TConfiguration::btn_editClick() {
    if (binding_->currentRow() < 0) {
        dialogs_.message(
            this, QStringLiteral("MESSAGE"),
            QStringLiteral("There is no configuration record yet: press Add to make it."),
            Buttons::Ok);
        return;
    }
    states_.enterAddEditState();
}

void TConfiguration::btn_saveClick() {
    if (!writeFields(*binding_))
        return;
    QString error;
    if (!binding_->post(&error)) {
        reportFailure(QStringLiteral("The configuration was not saved."), error);
        return;
    }
    states_.enterNormalState();
}

void TConfiguration::btn_cancelClick() {
    binding_->cancel();
    states_.enterNormalState();
}

void TConfiguration::fld_file_browse_startKeyDown() {
    const QString folder = dialogs_.chooseFolder(this, QStringLiteral("Choose the folder:"),
                                                 fld_file_browse_start->text());
    if (!folder.isEmpty())
        fld_file_browse_start->setText(folder);
}

void TConfiguration::dropChange() {
    binding_->cancel();
}
