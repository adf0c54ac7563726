#pragma once

#include "platform/dialogs.h"

#include <functional>

class QWidget;

// Runs one event handler. A failure it throws is shown in a box captioned
// "PROGRAM ERROR" and the form carries on, so no exception reaches Qt's event
// loop. Returns whether the handler ran to its end.
bool runGuarded(Dialogs& dialogs, QWidget* parent, const std::function<void()>& handler);
