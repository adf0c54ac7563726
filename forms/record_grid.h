#pragma once

#include <QString>

#include <vector>

class QLabel;
class QTableView;
class QWidget;
class TableModel;

// A column a grid shows: its table column, its title (the column's name when
// empty), its width in pixels (the view's own when 0), and whether the title
// is centred.
struct GridColumn {
    QString column{};
    QString title{};
    int width = 0;
    bool centredTitle = false;
};

// The grid DBGrid1 of a record form: the table model's rows shown through
// the forms' column texts, read-only, one whole row selected at a time.
QTableView* makeRecordGrid(TableModel& model, QWidget* parent = nullptr);

// Shows only `columns`, in their order, at their widths and under their
// titles. Where a title differs from its column's name the grid shows the
// model through a proxy that renames it, so the shared model's own header
// stays as it is.
void showGridColumns(QTableView* grid, TableModel& model, const std::vector<GridColumn>& columns);

// The program's picture at `width` pixels, as the side panels show it.
QLabel* makeSidePanelPicture(int width);
