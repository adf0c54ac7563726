#include "forms/item_file.h"

#include "datastore/table_model.h"
#include "datastore/table_names.h"
#include "forms/dialogs.h"
#include "platform/kbx.h"

#include <QLineEdit>

QString browseStartFolder(const TableModel& configuration) {
    if (configuration.rowCount() == 0)
        return QString();
    return configuration.record(0)
        .value(columns::configuration::browseStartHere)
        .toString()
        .trimmed();
}

void browseForItemFile(Dialogs& dialogs, QWidget* parent, const TableModel& configuration,
                       QLineEdit* field) {
    const QString chosen =
        dialogs.openFile(parent, {QStringLiteral("Open"), browseStartFolder(configuration),
                                  QStringLiteral("All files (*)"), QString()});
    if (!chosen.isEmpty())
        field->setText(kbx::path_without_drive(chosen).trimmed());
}
