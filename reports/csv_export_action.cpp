#include "reports/csv_export_action.h"

#include "datastore/table_model.h"
#include "forms/dialogs.h"
#include "forms/output_file.h"
#include "platform/kbx.h"
#include "reports/csv_export.h"

void exportShownRows(Dialogs& dialogs, QWidget* form, const TableModel& model,
                     const QString& fileName) {
    const QString documents = kbx::_kbx_Get_Special_Folder_Location(QStringLiteral("PERSONAL"));
    const std::optional<OutputFile> file = chooseOutputFile(
        dialogs, form, Locations::forCurrentUser(),
        {QStringLiteral("Export the records shown as CSV"), documents + QLatin1Char('/') + fileName,
         QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv")});
    if (!file)
        return;
    const int records =
        csv_export::exportTable(model.database(), model.definition(),
                                csv_export::rowsShownBy(model), file->path, file->existing);
    dialogs.message(form, QStringLiteral("MESSAGE"),
                    QStringLiteral("%1 records exported to %2").arg(records).arg(file->path),
                    Buttons::Ok);
}
