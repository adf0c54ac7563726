#pragma once

#include "datastore/locations.h"
#include "forms/error_guard.h"

#include <QDialog>

class DatePicker;
class Dialogs;
class TDataModule2;

// "Evidence Pack…": the period to pack, then where to write the archive.
class TEvidencePack : public QDialog {
    Q_OBJECT
public:
    // The pack's files are made in the temporary folder of `locations`.
    TEvidencePack(TDataModule2& dataModule, Dialogs& dialogs, Locations locations,
                  QString databaseName, QWidget* parent = nullptr);

    void btn_packClick();

private:
    TDataModule2& dataModule_;
    Dialogs& dialogs_;
    Locations locations_;
    QString databaseName_;
    Guard guard_;
    DatePicker* fld_from;
    DatePicker* fld_to;
};
