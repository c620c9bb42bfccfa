// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "core/model/MeterTypes.h"

namespace km905 {

// The displayed-graph record, as a graph file holds it.
struct GraphRecord {
    int32_t headerCount = 0;
    std::vector<float> readings;  // N = readings.size()
    int32_t scale = 0;
    uint8_t unitFC = 0;
    MeterDateTime start;
    int32_t rateSecs = 0;
};

}  // namespace km905
