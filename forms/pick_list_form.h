#pragma once

#include "forms/record_form.h"

#include <QSqlDatabase>
#include <QTableView>

#include <vector>

class Dialogs;
class QButtonGroup;
class QPushButton;
class QTabWidget;
class TableModel;
class TDataModule2;

// A pick list's grid. Read-only while browsing, writable while its tab's
// table is being added to or edited.
class PickListGrid : public QTableView {
    Q_OBJECT
public:
    PickListGrid(TableModel& model, QWidget* parent = nullptr);
    TableModel& table() const { return model_; }
    void setWritable(bool writable);
    // Hands a value still being typed in the grid to its table.
    void finishTyping();
    QString valueAt(int row) const;
    // The first row waiting to be inserted with no value, or -1.
    int emptyNewRow() const;
    // Selects the row holding the value and scrolls it into sight.
    void selectValue(const QString& value);

private:
    TableModel& model_;
};

// "Pick Lists": the ten lookup tables, one tab each.
class Tpick_list_form : public RecordForm {
    Q_OBJECT
public:
    Tpick_list_form(TDataModule2& dataModule, Dialogs& dialogs, QWidget* parent = nullptr);

    void FormActivate() override;
    void btn_addClick();
    void btn_editClick();
    void btn_deleteClick();
    void btn_saveClick();
    void btn_cancelClick();

    PickListGrid* shownGrid() const;

protected:
    void dropChange() override { btn_cancelClick(); }

private:
    QWidget* buildTabs(TDataModule2& dataModule);
    void flds_normal_state();
    void flds_add_edit_state();
    // The grids holding changes not yet stored, the shown one first.
    std::vector<PickListGrid*> gridsWithChanges() const;
    QString captionOf(const PickListGrid* grid) const;
    QString refusalText(const PickListGrid* grid, const QString& serverText) const;

    QSqlDatabase connection_;
    QTabWidget* PageControl1;
    QButtonGroup* tabButtons_;
    std::vector<PickListGrid*> grids_;
};
