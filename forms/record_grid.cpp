#include "forms/record_grid.h"

#include "datastore/table_model.h"
#include "forms/column_delegate.h"

#include <QHash>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QPixmap>
#include <QTableView>

namespace {

// A table model under other column titles; rows and columns are its own.
class ColumnTitles : public QIdentityProxyModel {
public:
    ColumnTitles(const std::vector<GridColumn>& columns, QObject* parent)
        : QIdentityProxyModel(parent) {
        for (const GridColumn& column : columns)
            columns_.insert(column.column, column);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal) {
            const auto shown =
                columns_.constFind(sourceModel()->headerData(section, orientation).toString());
            if (shown != columns_.constEnd()) {
                if (role == Qt::DisplayRole && !shown->title.isEmpty())
                    return shown->title;
                if (role == Qt::TextAlignmentRole && shown->centredTitle)
                    return int(Qt::AlignCenter);
            }
        }
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

private:
    QHash<QString, GridColumn> columns_;
};

bool renamesAny(const std::vector<GridColumn>& columns) {
    for (const GridColumn& column : columns)
        if ((!column.title.isEmpty() && column.title != column.column) || column.centredTitle)
            return true;
    return false;
}

}  // namespace

QTableView* makeRecordGrid(TableModel& model, QWidget* parent) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(QStringLiteral("DBGrid1"));
    grid->setModel(&model);
    grid->setItemDelegate(new ColumnDelegate(model, grid));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->hide();
    grid->setWordWrap(false);
    return grid;
}

void showGridColumns(QTableView* grid, TableModel& model, const std::vector<GridColumn>& columns) {
    if (renamesAny(columns)) {
        auto* titled = new ColumnTitles(columns, grid);
        titled->setSourceModel(&model);
        grid->setModel(titled);
    }
    QHeaderView* header = grid->horizontalHeader();
    for (int column = 0; column < model.columnCount(); ++column)
        grid->setColumnHidden(column, true);
    int position = 0;
    for (const GridColumn& shown : columns) {
        const int column = model.fieldIndex(shown.column);
        grid->setColumnHidden(column, false);
        header->moveSection(header->visualIndex(column), position++);
        if (shown.width > 0)
            grid->setColumnWidth(column, shown.width);
    }
}

QLabel* makeSidePanelPicture(int width) {
    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(QPixmap(QStringLiteral(":/pictures/main_screen.png"))
                           .scaledToWidth(width, Qt::SmoothTransformation));
    return picture;
}
