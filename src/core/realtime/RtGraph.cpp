// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/realtime/RtGraph.h"

#include <algorithm>
#include <cmath>

#include "core/graph/ScrollShift.h"
#include "core/model/TimeText.h"

namespace km905 {

namespace {

// The strips and bands around the plot, in view pixels.
constexpr int kLeftStripX = 226;
constexpr int kLeftStripAbove = 31;  // the label strip starts this far above the plot
constexpr int kLeftStripBelow = 30;  // and ends this far below the bottom edge
constexpr int kRightStripAbove = 24;
constexpr int kRightStripWidth = 60;
constexpr int kRightStripLeast = 224;  // a plot ending left of this has an empty right strip
constexpr int kBandAboveX = 290;
constexpr int kBandAboveRightInset = 280;
constexpr int kBandHeight = 30;  // the band above the plot and the time band
constexpr int kTimeBandExtraWidth = 108;
constexpr int kTimeTextBelow = 8;  // time texts start this far under the bottom edge

int sampleCount(const ViewState& v) {
    return std::clamp(v.m_sampleIndex, 0, kPointCapacity);
}

int shownLevel(const RtGraphState& g) {
    return g.zoom.shownLevel();
}

double plotRow(float reading, const YLabels& labels, const PlotRect& plot, uint8_t unitFC) {
    return plot.height - rowsAboveBaseline(plottedValue(reading, unitFC == 1), labels, plot.height);
}

// Samples per twelfth of the width in the full view, so that grid lines fall on samples.
int fullViewSamplesPerCell(const RtGraphState& g, int n, const PlotRect& plot) {
    if (n == 0 || g.g_rtFullView() != 1) return 0;
    return static_cast<int>(plot.width / 12 / g.g_rtXStep);
}

// Pixels per sample and the position of sample 0 on the shown zoom level.
struct ZoomedAxis {
    double pitch = 1, firstX = 0;
};

ZoomedAxis zoomedAxis(const RtGraphState& g, int n) {
    const int level = shownLevel(g);
    ZoomedAxis a;
    a.firstX = rtSampleX(g, level, 0);
    a.pitch = n >= 2 ? rtSampleX(g, level, 1) - a.firstX : static_cast<double>(g.g_rtXStep0);
    if (a.pitch <= 0 || std::isnan(a.pitch)) a.pitch = 1e-6;
    return a;
}

// Samples between the ten time lines of a zoomed view: a half, third or quarter of the width.
int zoomedSamplesPerLine(const PlotRect& plot, double pitch) {
    const int W = plot.width;
    const int across = toPixel(W / pitch);
    if (across < 2) return 1;
    const int cell = across == 2 ? W / 2 : across == 3 ? W / 3 : W / 4;
    return toPixel(cell / pitch);
}

}  // namespace

PlotRect rtPlotRect(const ClientRect& client) {
    return PlotRect::inClient(client, kRtPlotMargins);
}

double rtSampleX(const RtGraphState& g, int level, int i) {
    // Level by level, as a table of every level would hold it.
    double x = i * static_cast<double>(g.g_rtXStep0);
    for (int j = 0; j < std::clamp(level, 0, kMaxZoomLevel); ++j)
        x = g.levelMapX[static_cast<size_t>(j)](x);
    return x;
}

LevelSamples rtLevelSamples(const RtGraphState& g, int level, int n) {
    return {[&g, level](int i) { return rtSampleX(g, level, i); }, n, 0, n};
}

namespace {

// A cursor line that a new sample's repaint keeps: its x in the view, or nothing; any other
// repaint wipes the line, so it counts as hidden afterwards.
std::optional<int> keepCursorThroughRepaint(RtGraphState& g, ViewState& v) {
    std::optional<int> kept;
    if (v.m_redrawCursor == 1 && g.zoom.cursorHidden == 0)
        kept = g.zoom.cursorX;
    else
        g.zoom.cursorHidden = 1;
    // Taken by this repaint even with no line on screen: left set, it would bring back a line
    // at a stale place at a later repaint that follows no sample, such as a zoom.
    v.m_redrawCursor = 0;
    return kept;
}

// The first sample of a recording resets the time axis and the zoom.
void resetZoomAtFirstSample(RtGraphState& g, const ViewState& v) {
    if (sampleCount(v) != 1) return;
    g.g_rtXStep0 = g.g_rtXStep;
    g.g_rtSpan = 100;
    g.zoom.level = 0;
    g.zoom.fullView = 1;
    g.zoom.scrollShift = 0;
}

// Compresses the full view's time axis when the samples fill it; true when it grew, and the
// view is to paint again.
bool growRtTimeAxis(RtGraphState& g, const ViewState& v, const PlotRect& plot) {
    const int n = sampleCount(v);
    const int W = plot.width;
    g.g_rtXStep = static_cast<float>(W) / static_cast<float>(g.g_rtSpan - 1);
    bool grew = false;
    // The samples filled the width: compress them into eleven twelfths of it. The test runs
    // once per drawn segment, so one paint may grow the axis several times.
    for (int i = 1; i < n && n >= g.g_rtSpan + 1; ++i) {
        g.g_rtXStep = static_cast<float>(W - W / 12) / static_cast<float>(g.g_rtSpan);
        g.g_rtSpan = static_cast<int>(W / g.g_rtXStep + 1);
        grew = true;
    }
    return grew;
}

// Level 0 from the Y scale, then the labels and x map of every zoom level from its stored
// fractions. Returns the scroll bar's thumb position the first time a zoom level is shown.
std::optional<int> rebuildRtLevels(RtGraphState& g, const ViewState& v, const PlotRect& plot) {
    const int n = sampleCount(v);
    const int W = plot.width;
    g.g_rtYLabel[0] = fullViewLabels(v.m_yGain, v.m_yOffset);
    // A zoomed picture keeps the step of the full view it came from, so that a running
    // recording does not shift it.
    if (n >= 2) {
        if (g.g_rtFullView() == 1) {
            g.g_rtXStep0 = g.g_rtXStep;
            g.g_rtSpanAtZoom = g.g_rtSpan;
        } else {
            g.g_rtXStep0 = static_cast<float>(W) / static_cast<float>(g.g_rtSpanAtZoom - 1);
        }
    }

    if (g.g_rtFullView() != 0 || n < 1) return std::nullopt;
    const int d = std::clamp(g.g_rtZoomLevel(), 0, kMaxZoomLevel);
    for (int j = 0; j < d; ++j) {
        const auto below = static_cast<size_t>(j);
        const ZoomSelection sel =
            ZoomSelection::fromFractions(g.g_rtDownFracX[below], g.g_rtDownFracY[below],
                                         g.g_rtUpFracX[below], g.g_rtUpFracY[below], plot);
        g.zoom.corners[below] = {sel.left, sel.top, sel.right, sel.bottom};
        g.g_rtYLabel[below + 1] =
            zoomedLabels(g.g_rtYLabel[below], sel, plot, ZoomLabels::MagnitudeAligned);
        // Positions are plot-relative.
        g.levelMapX[below] = AxisZoom::horizontal(sel, plot, plot.left);
    }

    if (g.g_rtScrollReady() != 0) return std::nullopt;
    // The level is shown for the first time: remember the sample at its left edge.
    const ZoomedAxis axis = zoomedAxis(g, n);
    g.zoom.firstVisible = toPixel(-axis.firstX / axis.pitch);
    g.zoom.scrollReady = 1;
    return thumbForScrollShift(g.zoom.firstVisible, g.zoom.scrollShift);
}

// The times under the grid lines and the label texts of the shown level.
void updateRtLabels(RtGraphState& g, const ViewState& v, const PlotRect& plot) {
    const int n = sampleCount(v);
    const int P = v.m_sampleRateMs / 1000;  // whole seconds per sample
    if (g.g_rtFullView() == 1) {
        // The times of grid lines 0, 3, 6, 9 and 12.
        const int perCell = fullViewSamplesPerCell(g, n, plot);
        g.g_rtTimeLabel[0] = v.m_startTime;
        for (int m = 1; m <= 4; ++m)
            g.g_rtTimeLabel[static_cast<size_t>(m)] =
                v.m_startTime + static_cast<qint64>(perCell) * P * 3 * m;
    } else if (n >= 1) {
        const ZoomedAxis axis = zoomedAxis(g, n);
        g.g_rtTimeLabel[0] =
            v.m_startTime + static_cast<qint64>(g.m_firstVisible() - g.m_scrollShift()) * P;
        const int step = zoomedSamplesPerLine(plot, axis.pitch);
        for (int i = 0; i < 10; ++i) {
            const int sample = g.m_firstVisible() + step * i;
            g.g_rtGridSample[static_cast<size_t>(i)] = sample;
            g.g_rtTimeLabel[static_cast<size_t>(i)] =
                g.g_rtTimeLabel[0] + static_cast<qint64>(sample - g.m_firstVisible()) * P;
        }
    }
    for (size_t i = 0; i < g.m_timeLabelText.size(); ++i)
        g.m_timeLabelText[i] = formatLocalTime(g.g_rtTimeLabel[i], kClockTimeFormat);
    const YLabels& labels = g.g_rtYLabel[static_cast<size_t>(shownLevel(g))];
    for (size_t c = 0; c < labels.size(); ++c)
        g.m_yLabelText[c] = yLabelText(labels[c], kRtLabelStyle);
}

// The picture of the graph as the state stands; changes nothing.
RtGraphPicture rtGraphPicture(const RtGraphState& g, const ViewState& v, const CDTDoc& doc,
                              uint8_t unitFC, const PlotRect& plot,
                              std::optional<int> keptCursorX) {
    RtGraphPicture p;
    p.plot = plot;
    const int L = plot.left, T = plot.top, R = plot.right, Bp = plot.bottom;
    const int W = plot.width, B = plot.baseline, H = plot.height;
    const int n = sampleCount(v);
    const bool fullView = g.g_rtFullView() == 1;
    p.noSamples = n == 0;
    p.zoomed = !fullView && n >= 1;
    p.scrollMax = p.zoomed ? n : 0;
    if (keptCursorX) p.cursorX = *keptCursorX - L;

    const int stripTop = T - kLeftStripAbove;
    p.leftStrip = QRect(kLeftStripX, stripTop, std::max(L - kLeftStripX, 0),
                        std::max((Bp + kLeftStripBelow) - stripTop, 0));
    const int rightStripX = R < kRightStripLeast ? kRightStripLeast : R;
    const int rightStripEnd = R < kRightStripLeast ? kRightStripLeast : R + kRightStripWidth;
    p.rightStrip = QRect(rightStripX, T - kRightStripAbove, rightStripEnd - rightStripX,
                         Bp - T + kRightStripAbove);
    p.bandAbove =
        QRect(kBandAboveX, stripTop, plot.client.right - kBandAboveRightInset, kBandHeight);
    if (B > T) p.timeBand = QRect(L, Bp, W + kTimeBandExtraWidth, kBandHeight);

    // Grid.
    const int perCell = fullViewSamplesPerCell(g, n, plot);
    const ZoomedAxis axis = p.zoomed ? zoomedAxis(g, n) : ZoomedAxis{};
    if (n == 0) {
        for (int i = 0; i <= 12; ++i) p.gridX.push_back(i * W / 12);
    } else if (fullView) {
        for (int i = 0; i <= 13; ++i)
            p.gridX.push_back(toPixel(perCell * i * static_cast<double>(g.g_rtXStep)));
    } else {
        for (int sample : g.g_rtGridSample)
            p.gridX.push_back(toPixel(sample * axis.pitch + axis.firstX));
    }
    for (int i = 1; i <= 10; ++i) p.gridY.push_back(static_cast<int>(i * H * 0.1));

    // Trace: every sample in the full view, the visible ones and two beyond when zoomed.
    // Segments of one pixel column are merged; the painter clips to the plot.
    ColumnMergedPolyline trace(p.trace);
    const std::vector<float>& readings = doc.m_readings;
    const YLabels& shownLabels = g.g_rtYLabel[static_cast<size_t>(shownLevel(g))];
    auto row = [&](int i) {
        return toPixel(plotRow(readings[static_cast<size_t>(i)], shownLabels, plot, unitFC));
    };
    if (fullView) {
        int y = n >= 1 ? row(0) : 0;
        for (int i = 1; i < n; ++i) {
            const int next = row(i);
            trace.segment(toPixel((i - 1) * static_cast<double>(g.g_rtXStep)), y,
                          toPixel(i * static_cast<double>(g.g_rtXStep)), next);
            y = next;
        }
    } else if (p.zoomed) {
        // Only the visible samples and two beyond: their rows on the shown level's labels.
        const int first = g.m_firstVisible() - g.m_scrollShift() + 1;
        const int end = toPixel(W / axis.pitch + first + 2.0);
        for (int j = std::max(first, 1); j < end && j < n; ++j)
            trace.segment(toPixel(axis.pitch * (g.m_scrollShift() + j - 1) + axis.firstX),
                          row(j - 1), toPixel(axis.pitch * (g.m_scrollShift() + j) + axis.firstX),
                          row(j));
    }
    trace.flush();

    // Y labels with their ticks, strip-relative.
    const YLabels& labels = shownLabels;
    const int stripW = p.leftStrip.width();
    for (int k = 0; k <= 10; ++k) {
        const int tickY = B - k * (H - 1) / 10 - stripTop - 1;
        p.yTicks.push_back({stripW - 5, tickY, stripW, tickY});
        const int x =
            static_cast<int>(7.5 * yLabelShift(labels[static_cast<size_t>(k)], kRtLabelStyle) + 2);
        const int y = B - k * (H - 2) / 10 - stripTop - 8;
        p.yLabels.push_back({g.m_yLabelText[static_cast<size_t>(k)], x, y});
    }

    // Time texts sit just under the plot, each at its grid line.
    const int textY = Bp + kTimeTextBelow;
    if (n >= 1) {
        if (fullView) {
            for (int m = 4; m >= 1; --m)
                p.timeLabels.push_back(
                    {g.m_timeLabelText[static_cast<size_t>(m)],
                     toPixel(perCell * static_cast<double>(g.g_rtXStep) * 3 * m + L), textY});
            p.timeLabels.push_back({g.m_timeLabelText[0], L + 2, textY});
        } else {
            for (size_t i = 0; i < g.g_rtGridSample.size(); ++i) {
                const double x = g.g_rtGridSample[i] * axis.pitch + L + axis.firstX;
                if (x >= L && x <= R)
                    p.timeLabels.push_back({g.m_timeLabelText[i], toPixel(x), textY});
            }
        }
    }
    return p;
}

}  // namespace

RtGraphPaint paintRtGraph(RtGraphState& g, ViewState& v, const CDTDoc& doc, uint8_t unitFC,
                          const PlotRect& plot) {
    RtGraphPaint out;
    const std::optional<int> kept = keepCursorThroughRepaint(g, v);
    resetZoomAtFirstSample(g, v);
    out.repaintAgain = growRtTimeAxis(g, v, plot);
    out.scrollPos = rebuildRtLevels(g, v, plot);
    updateRtLabels(g, v, plot);
    out.picture = rtGraphPicture(g, v, doc, unitFC, plot, kept);
    return out;
}

}  // namespace km905
