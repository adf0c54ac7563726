#pragma once

#include <QStringList>

// The 61 two-letter codes the state lists offer, in their list order: the
// states, the District of Columbia, the territories and the armed forces.
const QStringList& stateCodes();
