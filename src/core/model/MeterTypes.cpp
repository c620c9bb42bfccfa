// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/MeterTypes.h"

namespace km905 {

namespace {
constexpr RangeInfo kRanges[4] = {
    {"400k", "40k", 100.0f, 0.1f, 0.01f, 1000.0f, 40000},
    {"400", "40", 0.1f, 0.1f, 0.01f, 1.0f, 40},
    {"4k", "400", 1.0f, 1.0f, 0.1f, 10.0f, 400},
    {"40k", "4k", 10.0f, 0.01f, 1.0f, 100.0f, 4000},
};
}  // namespace

const RangeInfo& rangeInfo(int code) {
    return kRanges[code & 3];
}

}  // namespace km905
