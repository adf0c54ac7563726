#pragma once

#include "forms/error_guard.h"
#include "worksearch/week_rules_store.h"

#include <QDialog>

class Dialogs;
class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;
class TDataModule2;

// "Work Search Rules": the rules a week of the job search is held to. The
// stored rules are shown when the form opens; Save stores what is shown in
// one transaction and closes the form, Cancel closes it storing nothing.
class TWork_Search_Rules : public QDialog {
    Q_OBJECT
public:
    TWork_Search_Rules(TDataModule2& dataModule, Dialogs& dialogs, QWidget* parent = nullptr);

    void btn_saveClick();
    // The rules as the fields show them.
    worksearch::WeekRules rulesOnScreen() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildFields();
    void showRules(const worksearch::WeekRules& rules);

    TDataModule2& dataModule_;
    Dialogs& dialogs_;
    Guard guard_;
    QComboBox* fld_week_start_;
    QSpinBox* fld_required_;
    QCheckBox* fld_different_employers_;
    QCheckBox* fld_count_submitted_;
    QCheckBox* fld_count_followups_;
    QPushButton* btn_save_;
    QPushButton* btn_cancel_;
    bool shownBefore_ = false;
};
