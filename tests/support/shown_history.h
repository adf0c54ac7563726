#pragma once

#include "tests/support/form_driver.h"

#include <QLabel>
#include <QTableWidget>

// What the history dialog that `open` opens shows: its caption, each line's
// cells joined by '|', and whether it says the record has no history.
struct ShownHistory {
    QString caption;
    QStringList lines;
    bool saysNone = false;
};

inline ShownHistory shownHistory(const std::function<void()>& open) {
    ShownHistory shown;
    whenModalOpens([&](QWidget* modal) {
        if (!modal)
            return;
        shown.caption = modal->windowTitle();
        shown.saysNone = component<QLabel>(*modal, "lbl_no_history")->isVisible();
        auto* grid = component<QTableWidget>(*modal, "grid_history");
        for (int row = 0; row < grid->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < grid->columnCount(); ++column)
                cells.append(grid->item(row, column)->text());
            shown.lines.append(cells.join('|'));
        }
    });
    open();
    return shown;
}
