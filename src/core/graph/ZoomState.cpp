// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/graph/ZoomState.h"

#include <algorithm>

namespace km905 {

int ZoomState::shownLevel() const {
    return fullView == 1 ? 0 : std::clamp(level, 0, kMaxZoomLevel);
}

RubberBand ZoomState::rubberBand() {
    return {bandActive, bandIdle, bandAnchorX, bandAnchorY, bandLastX, bandLastY};
}

std::optional<QRect> ZoomState::band() const {
    return const_cast<ZoomState*>(this)->rubberBand().rect();
}

void ZoomState::pressBand(int at, QPoint p) {
    ZoomCorners& c = corners[static_cast<size_t>(std::clamp(at, 0, kMaxZoomLevel))];
    c.downX = p.x();
    c.downY = p.y();
    rubberBand().press(p);
}

void ZoomState::releaseBand(int at, QPoint p) {
    ZoomCorners& c = corners[static_cast<size_t>(std::clamp(at, 0, kMaxZoomLevel))];
    c.upX = p.x();
    c.upY = p.y();
    rubberBand().release();
}

ZoomRelease acceptZoom(ZoomState& z, int from, const YLabels& labels, double pitch, int baseRow,
                       double height, int plotWidth) {
    ZoomCorners& c = z.corners[static_cast<size_t>(std::clamp(from, 0, kMaxZoomLevel))];
    // An upward drag is the same rectangle as a downward one.
    ZoomRelease r;
    r.selection = ZoomSelection::fromCorners(c.downX, c.downY, c.upX, c.upY);
    c = {r.selection.left, r.selection.top, r.selection.right, r.selection.bottom};
    r.trial = zoomTrial(labels, r.selection.bottom, r.selection.top, baseRow, height);
    r.accepted = zoomAccepted(from, r.trial, pitch, plotWidth);
    if (r.accepted) {
        z.level = from + 1;
        z.fullView = 0;
        z.scrollReady = 0;
    }
    z.bandIdle = 1;
    return r;
}

}  // namespace km905
