#pragma once

#include <QList>
#include <QString>

#include <functional>

class Dialogs;
class QAbstractItemView;
class QGroupBox;
class QPushButton;
class QWidget;

// The two states every record-maintenance form switches between: the normal
// state, in which records are browsed, and the add/edit state, in which one
// record is changed. Buttons and fields are switched together.
class RecordMaintenance {
public:
    struct Buttons {
        QPushButton* add = nullptr;
        QPushButton* edit = nullptr;
        QPushButton* remove = nullptr;
        QPushButton* save = nullptr;
        QPushButton* cancel = nullptr;
    };

    explicit RecordMaintenance(const Buttons& buttons) : buttons_(buttons) {}

    // Fields are usable only while adding or editing; grids and the
    // `normalOnly` controls (an Exit button) only in the normal state.
    void setFields(const QList<QWidget*>& fields) { fields_ = fields; }
    void setGrids(const QList<QAbstractItemView*>& grids) { grids_ = grids; }
    void setNormalOnly(const QList<QWidget*>& controls) { normalOnly_ = controls; }
    // Controls shown only while adding or editing (a hint, a check box).
    void setShownWhileEditing(const QList<QWidget*>& controls) { editingOnly_ = controls; }
    // Whether Add and Delete are offered in the normal state (both always, by default).
    void setAddAllowed(std::function<bool()> allowed) { addAllowed_ = std::move(allowed); }
    void setDeleteAllowed(bool allowed) { deleteAllowed_ = allowed; }

    void btns_normal_state();
    void btns_add_edit_state();
    void flds_normal_state();
    void flds_add_edit_state();
    void enterNormalState();
    void enterAddEditState();
    bool isEditing() const { return editing_; }

private:
    void setButtons(bool normal);
    void setFieldsUsable(bool usable);

    Buttons buttons_;
    QList<QWidget*> fields_;
    QList<QAbstractItemView*> grids_;
    QList<QWidget*> normalOnly_;
    QList<QWidget*> editingOnly_;
    std::function<bool()> addAllowed_ = [] { return true; };
    bool deleteAllowed_ = true;
    bool editing_ = false;
};

// Asked when a form is closed while a record is being added or changed;
// true when the user agrees to lose the change.
bool confirmDiscardChange(Dialogs& dialogs, QWidget* parent);

// "Do You Really Want to Delete The Record, It's permanent!!!!!!!"; true on Yes.
bool confirmRecordDelete(Dialogs& dialogs, QWidget* parent);

QPushButton* makeButton(const QString& caption, const QString& name);
// The five buttons of a record-maintenance form: btn_add "Add", btn_edit
// "Edit", btn_delete "Delete", btn_save "Save" and btn_cancel "Cancel".
RecordMaintenance::Buttons makeMaintenanceButtons();

// The lime side panel "> EDITING RECORDS <" with the buttons one under the
// other; a form may add more to its vertical layout.
QGroupBox* makeEditingSidePanel(const QList<QPushButton*>& buttons);
