// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <climits>
#include <functional>
#include <optional>

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

// Where one zoom level draws its samples before the scroll shift: sample k at x(k).
struct LevelSamples {
    std::function<double(int)> x;
    int count = 0;  // samples on the graph; the spacing is x(1) - x(0) from two on
    // The samples whose drawn positions decide between a sample and the next.
    int from = INT_MIN, to = INT_MAX;
};

// The index of the sample nearest to client x on a zoom level, drawn shifted by `scrollShift`
// samples; a tie keeps the left one. Nothing while the level has no usable spacing.
std::optional<int> sampleUnder(int x, const LevelSamples& level, int scrollShift,
                               const CursorAxis& axis);

}  // namespace km905
