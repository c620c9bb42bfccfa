#pragma once

#include <QWidget>

namespace km905 {

// Ctrl+C or a terminate signal closes the window the normal way, so the settings are
// written and the meter's link is ended as on File Exit.
void closeOnQuitSignals(QWidget* window);

}  // namespace km905
