// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

namespace km905 {

// How a graph finds the sample under its cursor line.
struct CursorAxis {
    // Where the level's positions count from: the plot's left edge for plot-relative
    // positions (real-time), 0 for client positions (datalogger).
    int origin = 0;
    // The scroll shift is taken off after truncating to a sample (datalogger) rather than
    // before (real-time); the two differ left of the first sample.
    bool shiftAfterTruncation = false;
};

// The index of the sample nearest to client x on a zoom level whose positions are `levelX`,
// drawn shifted by `scrollShift` samples; a tie keeps the left one. Nothing while the level
// has no usable spacing between samples.
std::optional<int> sampleUnder(int x, const std::vector<double>& levelX, int sampleCount,
                               int scrollShift, const CursorAxis& axis);

}  // namespace km905
