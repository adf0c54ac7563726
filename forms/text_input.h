#pragma once

#include <QList>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

// Turns every letter typed into the field to upper case.
void upperCaseAsTyped(QLineEdit* field);

// Tab and Shift+Tab leave the memo as they leave any field; Ctrl+Tab types
// a tab character into it.
void tabLeavesMemo(QPlainTextEdit* memo);

// Tab walks the widgets in the order listed (and Shift+Tab back).
void tabInOrder(const QList<QWidget*>& widgets);
