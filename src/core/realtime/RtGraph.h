// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "core/graph/CursorReadout.h"
#include "core/graph/PlotRect.h"
#include "core/graph/Polyline.h"
#include "core/graph/YScale.h"
#include "core/graph/ZoomStack.h"
#include "core/graph/ZoomState.h"
#include "core/model/MeterState.h"

namespace km905 {

inline constexpr int kPointCapacity = 20000;

// The plot inside the view: its picture is W x (Bp - T) and label 0 lies on its last row.
inline constexpr PlotMargins kRtPlotMargins{294, 150, 50, 150, 1};
inline constexpr YLabelStyle kRtLabelStyle{'k', false};

PlotRect rtPlotRect(const ClientRect& client);

// Process-wide state of the real-time graph: time axis, zoom stack, labels, cursor.
struct RtGraphState {
    int g_rtSpan = 100;
    float g_rtXStep = 0;
    float g_rtXStep0 = 0;
    int g_rtSpanAtZoom = 100;
    std::array<YLabels, kZoomLevels> g_rtYLabel{};
    std::array<double, kZoomLevels> g_rtDownFracX{}, g_rtDownFracY{}, g_rtUpFracX{}, g_rtUpFracY{};
    std::array<qint64, 10> g_rtTimeLabel{};
    std::array<int, 10> g_rtGridSample{};
    // Level, full view, scroll, the rectangles (g_rtZoomLeft, g_rtZoomTop as the down corner,
    // g_rtZoomRight, g_rtZoomBottom as the up one), the band and the cursor.
    ZoomState zoom{1};
    // How each level's rectangle maps x, as the last paint placed it; a level's positions are
    // the composition of the maps below it, worked out for the samples asked for only.
    std::array<AxisZoom, kZoomLevels> levelMapX{};
    std::array<QString, 10> m_timeLabelText;
    std::array<QString, 11> m_yLabelText;

    uint8_t& g_rtFullView() { return zoom.fullView; }
    uint8_t g_rtFullView() const { return zoom.fullView; }
    int& g_rtZoomLevel() { return zoom.level; }
    int g_rtZoomLevel() const { return zoom.level; }
    uint8_t& g_rtScrollReady() { return zoom.scrollReady; }
    int& m_scrollShift() { return zoom.scrollShift; }
    int m_scrollShift() const { return zoom.scrollShift; }
    int& m_firstVisible() { return zoom.firstVisible; }
    int m_firstVisible() const { return zoom.firstVisible; }
    uint8_t& g_rtCursorHidden() { return zoom.cursorHidden; }
    int& g_rtCursorX() { return zoom.cursorX; }
    int g_rtCursorIndex() const { return zoom.cursorIndex; }
};

// The plot-relative x of sample i on zoom level k (before the scroll shift).
double rtSampleX(const RtGraphState& g, int level, int i);
// Level k's samples for the cursor, `n` of them drawn.
LevelSamples rtLevelSamples(const RtGraphState& g, int level, int n);

struct PlacedText {
    QString text;
    int x, y;  // top-left
};

// Everything one paint draws, in the coordinates of the surface it goes to.
struct RtGraphPicture {
    PlotRect plot;
    // Plot (plot-relative pixels; the plot's picture is plot.width x (plot.bottom - plot.top)).
    std::vector<int> gridX;  // vertical dotted lines from y = plot.height up to 0
    std::vector<int> gridY;  // horizontal dotted lines from x = 0 to plot.width
    std::vector<PixelLine> trace;
    std::optional<int> cursorX;  // white dotted line redrawn after a new sample
    // The label strip left of the plot; its ticks and labels are strip-relative.
    QRect leftStrip;
    std::vector<PixelLine> yTicks;
    std::vector<PlacedText> yLabels;
    QRect rightStrip;  // empty when the window is too narrow
    QRect bandAbove;
    std::optional<QRect> timeBand;  // under the plot, when the plot has a height
    std::vector<PlacedText> timeLabels;
    // What the window does besides drawing.
    bool noSamples = false;  // status bar shows "Time:" and "Data:"
    bool zoomed = false;
    int scrollMax = 0;  // the zoom strip's scroll range while zoomed
};

// One paint: the state changes in their fixed order (the cursor line a new
// sample keeps, the first sample's reset, the growth of the time axis, the zoom levels, the
// label texts), then the picture of the state they leave.
struct RtGraphPaint {
    RtGraphPicture picture;        // with the cursor line a new sample's repaint keeps
    bool repaintAgain = false;     // the time axis grew: paint again
    std::optional<int> scrollPos;  // the thumb, the first time a zoom level is shown
};
RtGraphPaint paintRtGraph(RtGraphState& g, ViewState& v, const CDTDoc& doc, uint8_t unitFC,
                          const PlotRect& plot);

}  // namespace km905
