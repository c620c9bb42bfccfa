// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <optional>

#include "core/graph/PlotRect.h"

namespace km905 {

// The rubber band of a zoom drag, kept in a graph's own flags (real-time: g_rtBandActive,
// g_rtBandIdle, g_rtBandAnchorX ...; datalogger: g_dragging, g_dragIdle, g_dragAnchorX ...).
// Points are clamped to the plot by the caller.
struct RubberBand {
    uint8_t& active;  // the button went down on the graph: the band follows the mouse
    uint8_t& idle;    // no movement away from the anchor, or cancelled: a release does not zoom
    int& anchorX;
    int& anchorY;
    int& lastX;  // the corner drawn last
    int& lastY;

    void press(QPoint p);
    void follow(QPoint p);  // a mouse move while active
    void release() { active = 0; }
    void cancel();
    // The rectangle on the screen, while one is drawn.
    std::optional<QRect> rect() const;
};

// How far past the plot's edges the pointer may go during a drag before the drag watch tick
// cancels it (real-time: 50, 3, 30, 20; datalogger: 50, 20, 50, 40).
struct DragWatchMargins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

bool dragLeftThePlot(QPoint pointer, const PlotRect& plot, const DragWatchMargins& margins);

}  // namespace km905
