#pragma once

#include "datastore/locations.h"

#include <QDialog>

class Dialogs;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TDataModule2;

// "Create Databases": makes a new, empty database under a name of at most
// eight characters and logs each step in its memo.
class TCreate_Tables : public QDialog {
    Q_OBJECT
public:
    TCreate_Tables(const Locations& locations, TDataModule2& dataModule, Dialogs& dialogs,
                   QWidget* parent = nullptr);

    void btn_create_tablesClick();

private:
    // Whether the database of that name may be made anew: it must not be the
    // one in use, and the user must agree to lose an existing one's records.
    bool mayReplace(const QString& name, const QString& path);
    void appendToMemo(const QString& line);

    Locations locations_;
    TDataModule2& dataModule_;
    Dialogs& dialogs_;
    QLineEdit* fld_database_name;
    QPushButton* btn_create_tables;
    QPushButton* btn_exit;
    QPlainTextEdit* Memo1;
};
