#pragma once

#include <Qt>

#include <functional>

class QWidget;

// Runs `action` when `key` is pressed in `field` (or in the line edit of an
// editable combo box); every other key is ordinary typing.
void onKey(QWidget* field, Qt::Key key, std::function<void()> action);
