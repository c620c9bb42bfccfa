// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/graph/CursorReadout.h"

#include <cmath>

#include "core/graph/PlotRect.h"

namespace km905 {

std::optional<int> sampleUnder(int x, const std::vector<double>& levelX, int sampleCount,
                               int scrollShift, const CursorAxis& axis) {
    if (levelX.size() < 2) return std::nullopt;
    const double x0 = levelX[0];
    const double pitch = sampleCount >= 2 ? levelX[1] - x0 : 1.0;
    if (!(pitch > 0) || !std::isfinite(pitch)) return std::nullopt;
    const double samples = (x - axis.origin - x0) / pitch;
    int i =
        axis.shiftAfterTruncation ? toPixel(samples) - scrollShift : toPixel(samples - scrollShift);
    // The drawn positions decide between a sample and the next.
    const int at = scrollShift + i;
    if (at >= 0 && static_cast<size_t>(at) + 1 < levelX.size()) {
        const double fromLeft = x - axis.origin - levelX[static_cast<size_t>(at)];
        const double toRight = axis.origin + levelX[static_cast<size_t>(at) + 1] - x;
        if (fromLeft > toRight) ++i;
    }
    return i;
}

}  // namespace km905
