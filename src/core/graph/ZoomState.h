// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <array>
#include <cstdint>
#include <optional>

#include "core/graph/RubberBand.h"
#include "core/graph/ZoomStack.h"

namespace km905 {

// The corners of the drag that made a zoom level, as the mouse left them until the release
// orders them: then down is the top-left corner and up the bottom-right one.
struct ZoomCorners {
    double downX = 0, downY = 0, upX = 0, upY = 0;
};

// Zoom, scroll, rubber band and cursor of one graph. Each graph reads them under its own
// names (real-time: g_rtZoomLevel, m_scrollShift ...; datalogger: g_zoomLevel, g_scrollShift ...).
struct ZoomState {
    explicit ZoomState(uint8_t scrollReadyAtStart) : scrollReady(scrollReadyAtStart) {}

    uint8_t fullView = 1;
    int level = 0;
    int scrollShift = 0;   // samples the view is moved right by
    int firstVisible = 0;  // the sample at the left edge when the level was entered
    uint8_t scrollReady;   // the thumb of the shown level is placed
    std::array<ZoomCorners, kZoomLevels> corners{};
    uint8_t bandActive = 0;
    uint8_t bandIdle = 1;
    int bandAnchorX = 0, bandAnchorY = 0, bandLastX = 0, bandLastY = 0;
    uint8_t cursorHidden = 1;  // no cursor line on the screen
    int cursorX = 0;
    int cursorIndex = 0;

    // The level drawn: 0 in the full view.
    int shownLevel() const;
    RubberBand rubberBand();
    std::optional<QRect> band() const;

    // The button went down on level `at`: the drag starts there.
    void pressBand(int at, QPoint p);
    // The button came up: the corner is kept, the band stops following the mouse.
    void releaseBand(int at, QPoint p);
};

// The zoom-accept sequence of a release after a drag on level `from` (whose corners are
// stored): the corners are ordered, the next level's trial labels taken from `labels` (rows
// counted from `baseRow`, `height` rows to label 10), and the next level entered when accepted.
// `pitch` is the pixels between samples on level `from`: the plot's width with fewer than two.
struct ZoomRelease {
    ZoomSelection selection;
    ZoomTrial trial;
    bool accepted = false;
};
ZoomRelease acceptZoom(ZoomState& z, int from, const YLabels& labels, double pitch, int baseRow,
                       double height, int plotWidth);

}  // namespace km905
