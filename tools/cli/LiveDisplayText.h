// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include "core/model/MeterState.h"

namespace km905::cli {

// The meter's display as one line: value, unit, range, mode, hold, memory, clock, battery.
QString displayLine(const ViewState& v);

// One row per live frame: the time it came (ISO 8601 with the offset from UTC), the value as
// the display shows it (empty when over range), its unit and range, and the annunciators.
QString liveCsvHeader();
QString liveCsvRow(const ViewState& v, const QDateTime& when);

}  // namespace km905::cli
