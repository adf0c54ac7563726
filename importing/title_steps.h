#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>

#include <functional>

// The numbered steps that follow an import: they collect the raw job titles
// in the edits table, replace them by the titles the user chose, refresh the
// pick lists, and recount the title statistics. Each step is one pass over
// whole tables in one transaction: it changes every table it should or, on
// an error, none (DatabaseError).
namespace title_steps {

// The mark of an edits row or statistics row that waits for the user.
inline const QString kNewEntry = QStringLiteral("*** NEW ENTRY, EDIT ME ***");

// A text as the steps compare it: without leading and trailing blanks, in
// capitals.
QString keyForm(const QString& text);

// What the status lines show when a step ends.
struct Report {
    QString status1;
    QString status2;
};

// The line a step (numbered as its caption) writes to the log as it starts:
// the log numbers the steps one higher, as it always has.
QString logLine(int step);

// How many job records step 11 would change now.
int jobReasonsToChange(const QSqlDatabase& connection);

// Runs step 1 or 3 to 11 of the captions (step 2 is the edits form).
// `today` dates what the steps date.
Report runStep(int step, const QSqlDatabase& connection, const QDate& today);

}  // namespace title_steps
