// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/graph/YScale.h"
#include "core/model/MeterState.h"
#include "core/print/ReportPage.h"

namespace km905 {

// The datalogger report: every reading of the displayed-graph record against the full view's
// axis (`fullView`), whatever the window's zoom; without a graph, the empty frame only.
ReportPage loggerReport(const CDTDoc& doc, const YLabels& fullView, qint64 printedAtSecs);

}  // namespace km905
