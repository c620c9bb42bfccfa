// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/graph/PlotRect.h"
#include "core/graph/YScale.h"

namespace km905 {

// Level 0 is the full view; levels 1..99 are zoomed, each made from a selection on the level
// below it.
inline constexpr int kZoomLevels = 100;
inline constexpr int kMaxZoomLevel = kZoomLevels - 1;

// The selection that made a zoom level, in client pixels, corners ordered.
struct ZoomSelection {
    double left = 0, top = 0, right = 0, bottom = 0;

    // From corners stored as the mouse left them (the datalogger stores these).
    static ZoomSelection fromCorners(double downX, double downY, double upX, double upY);
    // From the corners' fractions of the plot's width and height (the real-time graph stores
    // these, so its levels follow a resized window).
    static ZoomSelection fromFractions(double downFracX, double downFracY, double upFracX,
                                       double upFracY, const PlotRect& plot);
};

// How a new level's labels come from the selection.
enum class ZoomLabels {
    MagnitudeAligned,  // real-time: bottom and one division truncated, the rest stepped
    Exact,             // datalogger: each of the eleven values taken at its own height
};

YLabels zoomedLabels(const YLabels& below, const ZoomSelection& selection, const PlotRect& plot,
                     ZoomLabels rule);

// One axis of a zoom level as an affine map of the level below: the selected range
// [from, from + width] fills [to, to + span].
struct AxisZoom {
    double from = 0, width = 1, to = 0, span = 1;

    double operator()(double v) const { return to + (v - from) * span / width; }

    // `origin` is where the graph's positions count from: the plot's left (top) edge for
    // plot-relative positions (real-time), 0 for client positions (datalogger).
    static AxisZoom horizontal(const ZoomSelection& selection, const PlotRect& plot, double origin);
    static AxisZoom vertical(const ZoomSelection& selection, const PlotRect& plot, double origin);
};

// The labels 0, 1 and 10 a selection would give the next level, decided on at the release.
struct ZoomTrial {
    double bottomValue = 0, firstDivisionValue = 0, topValue = 0;
};

// `lowerEdge` and `upperEdge` are the selection's rows; `baseRow` is the row whose value is
// label 0 and `height` the rows from there to label 10 (real-time: the plot's bottom edge and
// edge height; datalogger: its baseline and height).
ZoomTrial zoomTrial(const YLabels& current, double lowerEdge, double upperEdge, int baseRow,
                    double height);

// A zoom is taken while the stack has room, the current level shows at least two samples
// across the width (`samplePitch` pixels apart) and one new division stays above 0.1 (10 from
// 1000 up).
bool zoomAccepted(int currentLevel, const ZoomTrial& trial, double samplePitch, int plotWidth);

}  // namespace km905
