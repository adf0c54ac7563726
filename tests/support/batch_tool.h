#pragma once

#include "batch/batch_commands.h"
#include "tests/support/books_database.h"

#include <QTextStream>

// The batch tool run within the test on its own database "books", the
// current one, which the tool opens itself.
class BatchTool : public BooksDatabase {
public:
    BatchTool() {
        dataModule.close();
        workspace.settings.recordCurrentDatabase({"books", path});
    }
    // Runs a command line; `out` and `err` hold what it printed.
    int batch(const QStringList& arguments) {
        out.clear();
        err.clear();
        QTextStream outStream(&out), errStream(&err);
        return batch::run(arguments, workspace.locations(), workspace.settings, outStream,
                          errStream);
    }

    QString out;
    QString err;
};
