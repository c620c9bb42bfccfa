// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "UnattendedSaves.h"
#include "core/model/MeterState.h"

namespace km905::cli {

// Every record of a finished datalogger download, each saved as the datalogger window's Save
// writes it: chosen in the window's list, named after its start time, or "record N" (its row)
// when the meter's date cannot be read. Records that started in the same second each get a
// file of their own. The exit status.
int saveLoggerRecords(MeterModel& model, UnattendedSaves& saves);

}  // namespace km905::cli
