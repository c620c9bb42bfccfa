// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/MeterState.h"
#include "core/realtime/RtGraph.h"

namespace km905 {

// Which main-window commands are enabled now.
struct CommandState {
    bool save = false, open = false, print = false, run = false, stop = false;
    bool undoZoom = false, dataLogger = false, mem = true;
    bool exportCsv = false;  // the UTF-8 export beside Save, of the same recording
};

CommandState commandState(const MeterModel& m, const RtGraphState& g);

// The status bar's port pane: which port the link uses and, when it cannot be opened, why and
// the fix.
QString portStatusText(int port, const QString& device, const QString& openError,
                       bool udevRuleInstalled = false);

}  // namespace km905
