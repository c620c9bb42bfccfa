// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>

namespace km905 {

// Ctrl+C (SIGINT) and SIGTERM call quit() from the event loop, once: the program then ends
// the way its own command does (settings written, the meter's link ended).
void onQuitSignals(QObject* context, std::function<void()> quit);

}  // namespace km905
