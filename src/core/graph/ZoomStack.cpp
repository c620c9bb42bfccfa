// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/graph/ZoomStack.h"

#include <algorithm>
#include <utility>

namespace km905 {

ZoomSelection ZoomSelection::fromCorners(double downX, double downY, double upX, double upY) {
    ZoomSelection s{downX, downY, upX, upY};
    if (s.left > s.right) std::swap(s.left, s.right);
    if (s.top > s.bottom) std::swap(s.top, s.bottom);
    return s;
}

ZoomSelection ZoomSelection::fromFractions(double downFracX, double downFracY, double upFracX,
                                           double upFracY, const PlotRect& plot) {
    return fromCorners(plot.width * downFracX + plot.left, plot.height * downFracY + plot.top,
                       plot.width * upFracX + plot.left, plot.height * upFracY + plot.top);
}

YLabels zoomedLabels(const YLabels& below, const ZoomSelection& s, const PlotRect& plot,
                     ZoomLabels rule) {
    const double aboveBase = plot.baseline - s.bottom;  // rows from the baseline to the selection
    if (rule == ZoomLabels::MagnitudeAligned)
        return magnitudeAlignedLabels(
            valueAboveBaseline(below, aboveBase, plot.height),
            valueAboveBaseline(below, (s.bottom - s.top) * 0.1 + aboveBase, plot.height));
    YLabels labels{};
    for (int c = 0; c <= 10; ++c)
        labels[static_cast<size_t>(c)] =
            valueAboveBaseline(below, aboveBase + (s.bottom - s.top) * c * 0.1, plot.height);
    return labels;
}

AxisZoom AxisZoom::horizontal(const ZoomSelection& s, const PlotRect& plot, double origin) {
    // A selection without width stays finite.
    return {s.left - origin, std::max(s.right - s.left, 1e-6), plot.left - origin,
            static_cast<double>(plot.width)};
}

AxisZoom AxisZoom::vertical(const ZoomSelection& s, const PlotRect& plot, double origin) {
    return {s.top - origin, std::max(s.bottom - s.top, 1e-6), plot.top - origin,
            static_cast<double>(plot.height)};
}

ZoomTrial zoomTrial(const YLabels& current, double lowerEdge, double upperEdge, int baseRow,
                    double height) {
    const double aboveBase = baseRow - lowerEdge;
    const double selected = lowerEdge - upperEdge;
    return {valueAboveBaseline(current, aboveBase, height),
            valueAboveBaseline(current, selected * 0.1 + aboveBase, height),
            valueAboveBaseline(current, selected + aboveBase, height)};
}

bool zoomAccepted(int currentLevel, const ZoomTrial& t, double samplePitch, int plotWidth) {
    const double leastDivision = t.topValue >= 1000 ? 10.0 : 0.1;
    return currentLevel < kMaxZoomLevel && samplePitch < plotWidth &&
           t.firstDivisionValue - t.bottomValue > leastDivision;
}

}  // namespace km905
