#pragma once

#include <QString>
#include <array>
#include <vector>

#include "model/MeterState.h"

namespace km905 {

inline constexpr int kZoomLevels = 100;
inline constexpr int kPointCapacity = 20000;

// Process-wide state of the real-time graph: time axis, zoom stack, labels, cursor.
struct RtGraphState {
    int g_rtSpan = 100;
    float g_rtXStep = 0;
    float g_rtXStep0 = 0;
    int g_rtSpanAtZoom = 100;
    uint8_t g_rtFullView = 1;
    int g_rtZoomLevel = 0;
    std::array<std::array<double, 11>, kZoomLevels> g_rtYLabel{};
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
    // Point arrays per zoom level, allocated as levels come into use.
    std::array<std::vector<double>, kZoomLevels> g_rtPtX, g_rtPtY;
    std::vector<double>& ptX(int level);
    std::vector<double>& ptY(int level);

    // View members the paint keeps.
    int m_scrollShift = 0;
    int m_firstVisible = 0;
    std::array<QString, 10> m_timeLabelText;
    std::array<QString, 11> m_yLabelText;
};

struct PixelLine {
    int x1, y1, x2, y2;
    bool operator==(const PixelLine&) const = default;
};

struct PlacedText {
    QString text;
    int x, y;  // top-left
};

// Everything one paint draws, in the coordinates of the surface it goes to.
struct RtGraphPicture {
    int L = 0, T = 0, R = 0, Bp = 0, W = 0, B = 0, H = 0;
    // Plot (plot-relative pixels, the plot is W x (Bp - T)).
    std::vector<int> gridX;  // vertical dotted lines from y = H up to 0
    std::vector<int> gridY;  // horizontal dotted lines from x = 0 to W
    std::vector<PixelLine> trace;
    std::optional<int> cursorX;  // white dotted line redrawn after a new sample
    // Left strip (strip-relative; placed at (226, T - 31), size stripW x stripH).
    int stripW = 0, stripH = 0;
    std::vector<PixelLine> yTicks;
    std::vector<PlacedText> yLabels;
    // Right strip: x R..rightStripEnd (empty when equal), y T-24..Bp.
    int rightStripX = 0, rightStripEnd = 0;
    // View coordinates: the band above the plot and the time band under it.
    int bandAboveX = 0, bandAboveY = 0, bandAboveW = 0;
    bool timeBand = false;
    int timeBandY = 0, timeBandW = 0;
    std::vector<PlacedText> timeLabels;
    // Bookkeeping for the window.
    bool repaintAgain = false;  // the time axis grew
    bool noSamples = false;     // status bar shows "Time:" and "Data:"
    bool armFirstTick = false;
    bool zoomed = false;
    int scrollMax = 0;
    std::optional<int> scrollPos;
};

struct ViewRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The paint of the real-time graph without the drawing: it computes every line and label
// and does the bookkeeping (axis growth, zoom reset at the first sample, level rebuild).
RtGraphPicture paintRtGraph(RtGraphState& g, ViewState& v, const CDTDoc& doc, uint8_t unitFC,
                            const ViewRect& client);

QString yLabelText(double v);
int toPixel(double v);  // truncation that is safe for any value

}  // namespace km905
