// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/graph/CursorReadout.h"

#include <cmath>

#include "core/graph/PlotRect.h"

namespace km905 {

std::optional<int> sampleUnder(int x, const LevelSamples& level, int scrollShift,
                               const CursorAxis& axis) {
    if (!level.x) return std::nullopt;
    const double x0 = level.x(0);
    const double pitch = level.count >= 2 ? level.x(1) - x0 : 1.0;
    if (!(pitch > 0) || !std::isfinite(pitch)) return std::nullopt;
    const double samples = (x - axis.origin - x0) / pitch;
    int i =
        axis.shiftAfterTruncation ? toPixel(samples) - scrollShift : toPixel(samples - scrollShift);
    // The drawn positions decide between a sample and the next.
    const long long at = static_cast<long long>(scrollShift) + i;
    if (at >= level.from && at + 1 < level.to) {
        const double fromLeft = x - axis.origin - level.x(static_cast<int>(at));
        const double toRight = axis.origin + level.x(static_cast<int>(at) + 1) - x;
        if (fromLeft > toRight) ++i;
    }
    return i;
}

}  // namespace km905
