// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "core/graph/PlotRect.h"
#include "core/graph/Polyline.h"
#include "core/graph/YScale.h"
#include "core/graph/ZoomStack.h"
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
    uint8_t g_rtFullView = 1;
    int g_rtZoomLevel = 0;
    std::array<YLabels, kZoomLevels> g_rtYLabel{};
    std::array<double, kZoomLevels> g_rtDownFracX{}, g_rtDownFracY{}, g_rtUpFracX{}, g_rtUpFracY{};
    std::array<float, kZoomLevels> g_rtZoomLeft{}, g_rtZoomRight{}, g_rtZoomTop{}, g_rtZoomBottom{};
    uint8_t g_rtScrollReady = 1;
    std::array<qint64, 10> g_rtTimeLabel{};
    std::array<int, 10> g_rtGridSample{};
    uint8_t g_rtBandActive = 0;
    uint8_t g_rtBandIdle = 1;
    int g_rtBandAnchorX = 0, g_rtBandAnchorY = 0;
    int g_rtBandLastX = 0, g_rtBandLastY = 0;
    uint8_t g_rtCursorHidden = 1;
    int g_rtCursorX = 0;
    int g_rtCursorIndex = 0;
    LevelPoints g_rtPtX{kPointCapacity}, g_rtPtY{kPointCapacity};

    // View members the paint keeps.
    int m_scrollShift = 0;
    int m_firstVisible = 0;
    std::array<QString, 10> m_timeLabelText;
    std::array<QString, 11> m_yLabelText;
};

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
    bool armFirstTick = false;
    bool zoomed = false;
    int scrollMax = 0;  // the zoom strip's scroll range while zoomed
};

// The state changes of a paint, in the order the view makes them before taking the picture.

// A cursor line that a new sample's repaint keeps: its x in the view, or nothing; any other
// repaint wipes the line, so it counts as hidden afterwards.
std::optional<int> keepCursorThroughRepaint(RtGraphState& g, ViewState& v);
// The first sample of a recording resets the time axis and the zoom.
void resetZoomAtFirstSample(RtGraphState& g, const ViewState& v);
// Compresses the full view's time axis when the samples fill it; true when it grew, and the
// view is to paint again.
bool growRtTimeAxis(RtGraphState& g, const ViewState& v, const PlotRect& plot);
// Level 0 from the Y scale and the samples, then every zoom level from its stored fractions.
// Returns the scroll bar's thumb position the first time a zoom level is shown.
std::optional<int> rebuildRtLevels(RtGraphState& g, const ViewState& v, const CDTDoc& doc,
                                   uint8_t unitFC, const PlotRect& plot);
// The times under the grid lines and the label texts of the shown level.
void updateRtLabels(RtGraphState& g, const ViewState& v, const PlotRect& plot);

// The picture of the graph as the state stands; changes nothing.
RtGraphPicture rtGraphPicture(const RtGraphState& g, const ViewState& v, const PlotRect& plot,
                              std::optional<int> keptCursorX);

}  // namespace km905
