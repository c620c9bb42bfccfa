// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/model/MeterState.h"

namespace km905 {

// A whole datalogger stream parsed into the document's datalogger arrays, as a finished
// download leaves them; a kept stream read back later goes the same way.
void storeLoggerStream(MeterModel& m, const uint8_t* data, size_t size);

}  // namespace km905
