// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/logger/LoggerGraph.h"

#include <algorithm>
#include <cmath>

#include "core/graph/Polyline.h"
#include "core/graph/ScrollShift.h"
#include "core/model/MeterTypes.h"
#include "core/model/TimeText.h"

namespace km905 {

namespace {

int levelOf(const LoggerZoomState& z) {
    return z.g_fullView == 1 ? 0 : std::clamp(z.g_zoomLevel, 0, kMaxZoomLevel);
}

int rowOf(double value, const LoggerLevel& lvl, const PlotRect& plot) {
    return toPixel(plot.baseline - rowsAboveBaseline(value, lvl.labels, plot.height));
}

void addYLabels(LoggerGraphPicture& pic, const YLabels& labels, const PlotRect& plot) {
    for (int k = 0; k <= 10; ++k) {
        const double v = labels[static_cast<size_t>(k)];
        const int shift = yLabelShift(v, kLoggerLabelStyle);
        pic.texts.push_back({yLabelText(v, kLoggerLabelStyle),
                             toPixel(shift * 7.5 + (plot.left - 70)),
                             toPixel(plot.bottom - (plot.bottom - plot.top) * k * 0.1)});
    }
}

void addZoomedTime(LoggerGraphPicture& pic, const LoggerZoomState& z, const CDTDoc& d,
                   const LoggerLevel& lvl, const PlotRect& plot) {
    const double s = lvl.pitch;
    const int width = plot.right - plot.left;
    const int r = toPixel(width / s);
    const qint64 t0 = d.m_fileStartTime +
                      static_cast<qint64>(z.g_firstVisible - z.g_scrollShift) * d.m_fileRateSecs;
    int step = 1;
    if (r > 1) {
        const double f = r > 3 ? 0.25 : (r == 3 ? 1.0 / 3 : 0.5);
        step = std::max(toPixel(width * f / s), 1);
    }
    for (int i = 0; i < 10; ++i) {
        const int index = z.g_firstVisible + i * step;
        if (r <= 1 && (index < 0 || index >= d.m_fileCount)) continue;
        const int x = toPixel(lvl.firstX + s * index);
        if (x >= plot.left && x < plot.right) pic.timeGrid.push_back({x, plot.bottom, x, plot.top});
        if (index < 0 || index >= d.m_fileCount || x < plot.left || x > plot.right) continue;
        const qint64 t = t0 + static_cast<qint64>(i) * step * d.m_fileRateSecs;
        pic.texts.push_back({formatLocalTime(t, kClockTimeFormat), x, plot.bottom + 1});
    }
}

}  // namespace

PlotRect loggerPlotRect(const ClientRect& client) {
    return PlotRect::inClient(client, kLoggerPlotMargins);
}

bool loggerGraphShown(int logSelRecord, const ViewState& view) {
    return logSelRecord >= 0 || view.m_fileLoaded == 1;
}

LoggerLevel loggerLevel(const LoggerZoomState& z, int sampleCount, const YLabels& fullView,
                        const PlotRect& plot, int level) {
    LoggerLevel lvl;
    lvl.firstX = plot.left;
    lvl.pitch =
        sampleCount >= 2 ? static_cast<double>(plot.right - plot.left) / (sampleCount - 1) : 0.0;
    lvl.labels = fullView;
    for (int j = 1; j <= std::clamp(level, 0, kMaxZoomLevel); ++j) {
        const auto b = static_cast<size_t>(j - 1);
        const ZoomSelection sel = ZoomSelection::fromCorners(z.g_zoomDownX[b], z.g_zoomDownY[b],
                                                             z.g_zoomUpX[b], z.g_zoomUpY[b]);
        const AxisZoom map = AxisZoom::horizontal(sel, plot, 0);
        lvl.firstX = map(lvl.firstX);
        lvl.pitch = lvl.pitch * map.span / map.width;
        lvl.labels = zoomedLabels(lvl.labels, sel, plot, ZoomLabels::Exact);
    }
    return lvl;
}

std::optional<int> enterLoggerLevelScroll(LoggerZoomState& z, const CDTDoc& doc,
                                          const YLabels& fullView, const PlotRect& plot) {
    if (z.g_fullView == 1 || z.g_scrollReady == 1 || doc.m_fileCount < 2) return std::nullopt;
    const LoggerLevel lvl = loggerLevel(z, doc.m_fileCount, fullView, plot, levelOf(z));
    if (!(lvl.pitch > 0)) return std::nullopt;
    z.g_firstVisible =
        toPixel((plot.left - (lvl.firstX + lvl.pitch * z.g_scrollShift)) / lvl.pitch) +
        z.g_scrollShift;
    z.g_scrollReady = 1;
    return thumbForScrollShift(z.g_firstVisible, z.g_scrollShift);
}

LoggerGraphPicture loggerGraphPicture(const LoggerZoomState& z, const CDTDoc& d, bool shown,
                                      const YLabels& fullView, const ClientRect& client) {
    LoggerGraphPicture pic;
    const PlotRect plot = loggerPlotRect(client);
    pic.plot = plot;
    pic.plotArea = QRect(QPoint(plot.left, plot.top), QPoint(plot.right, plot.bottom));
    pic.curveClip = QRect(plot.left, plot.top, std::max(plot.right - plot.left, 0),
                          std::max(plot.bottom - plot.top + 1, 0));
    const bool full = z.g_fullView == 1;
    std::array<int, 11> rows{};
    for (int i = 0; i <= 10; ++i) {
        rows[static_cast<size_t>(i)] = toPixel(plot.top + (plot.bottom - plot.top) * i * 0.1);
        pic.grid.push_back(
            {plot.left, rows[static_cast<size_t>(i)], plot.right, rows[static_cast<size_t>(i)]});
    }
    if (full)
        for (int i = 1; i <= 15; ++i) {
            const int x = toPixel(plot.left + (plot.right - plot.left) * i / 15.0);
            pic.grid.push_back({x, plot.top, x, plot.bottom});
        }
    pic.axes.push_back({plot.left, plot.bottom, plot.right, plot.bottom});
    pic.axes.push_back({plot.left, plot.top, plot.left, plot.bottom});
    pic.axes.push_back({plot.right, plot.top, plot.right, plot.bottom});
    for (int row : rows) pic.axes.push_back({plot.left - 3, row, plot.left, row});

    if (z.g_dragging == 1 && z.g_dragIdle == 0)
        pic.band =
            QRect(QPoint(z.g_dragAnchorX, z.g_dragAnchorY), QPoint(z.g_dragLastX, z.g_dragLastY))
                .normalized();
    if (!shown) return pic;

    const int count = std::clamp(d.m_fileCount, 0, static_cast<int>(d.m_fileReadings.size()));
    const int level = levelOf(z);
    const LoggerLevel lvl = loggerLevel(z, count, fullView, plot, level);
    const bool fc = d.m_fileUnitFC == 1;
    auto rowAt = [&](int j) {
        return rowOf(plottedValue(d.m_fileReadings[static_cast<size_t>(j)], fc), lvl, plot);
    };
    ColumnMergedPolyline curve(
        pic.curve, ClipBox{plot.left - 2.0, plot.top - 2.0, plot.right + 2.0, plot.bottom + 2.0});
    if (full) {
        for (int j = 0; j + 1 < count; ++j)
            curve.segment(toPixel(lvl.firstX + lvl.pitch * j), rowAt(j),
                          toPixel(lvl.firstX + lvl.pitch * (j + 1)), rowAt(j + 1));
        curve.flush();
        pic.texts.push_back(
            {formatLocalTime(d.m_fileStartTime, kClockTimeFormat), plot.left, plot.bottom + 8});
        const qint64 end =
            d.m_fileStartTime + static_cast<qint64>(d.m_fileRateSecs) * std::max(count - 1, 0);
        pic.texts.push_back(
            {formatLocalTime(end, kClockTimeFormat), plot.right - 55, plot.bottom + 8});
    } else if (lvl.pitch > 0) {
        pic.scrollEnabled = true;
        pic.scrollMax = count;
        addZoomedTime(pic, z, d, lvl, plot);
        const int shift = z.g_scrollShift;
        const int start = z.g_firstVisible - shift;
        const int end = toPixel((plot.right - plot.left) / lvl.pitch) + start + 1 + 2;
        for (int j = std::max(start, 0); j < end && j + 1 < count; ++j)
            curve.segment(toPixel(lvl.firstX + lvl.pitch * (j + shift)), rowAt(j),
                          toPixel(lvl.firstX + lvl.pitch * (j + shift + 1)), rowAt(j + 1));
        curve.flush();
    }
    addYLabels(pic, lvl.labels, plot);
    pic.texts.push_back({QStringLiteral("Light"), plot.left + 50, 70});
    pic.texts.push_back({z.g_readoutValue, plot.left + 100, 70});
    pic.texts.push_back({QStringLiteral("@"), plot.left + 180, 70});
    pic.texts.push_back({z.g_readoutTime, plot.left + 195, 70});
    if (z.g_cursorFresh == 0) pic.cursorX = z.g_cursorX;
    return pic;
}

QString loggerReadoutValue(float v, uint8_t unitFC) {
    if (v == kOverRange) return QStringLiteral("OL");
    if (unitFC == 0) {
        if (v < 1000) return QString::asprintf("%.2f Lux", static_cast<double>(v));
        return QString::asprintf("%.2f KLux", v * 0.001);
    }
    if (unitFC == 1) {
        if (v * kLuxToFc < 1000) return QString::asprintf("%.2f FC", v * kLuxToFc);
        return QString::asprintf("%.2f KFC", v * kLuxToKfcExport);
    }
    return {};
}

RubberBand LoggerZoom::rubberBand() const {
    return {m_z.g_dragging,    m_z.g_dragIdle,  m_z.g_dragAnchorX,
            m_z.g_dragAnchorY, m_z.g_dragLastX, m_z.g_dragLastY};
}

void LoggerZoom::leftDown(int x, int y, const ClientRect& client) {
    const QPoint p = loggerPlotRect(client).clamp({x, y});
    const auto level = static_cast<size_t>(levelOf(m_z));
    m_z.g_zoomDownX[level] = p.x();
    m_z.g_zoomDownY[level] = p.y();
    rubberBand().press(p);
}

bool LoggerZoom::mouseMove(int x, int y, const ClientRect& client, bool shown,
                           const YLabels& fullView) {
    if (!shown) return false;
    const PlotRect plot = loggerPlotRect(client);
    const int count = m_doc.m_fileCount;
    bool changed = false;
    if (x >= plot.left && x <= plot.right + 1) {
        const LoggerLevel lvl = loggerLevel(m_z, count, fullView, plot, levelOf(m_z));
        int i = 0;
        if (lvl.pitch > 0) {
            const int shift = m_z.g_scrollShift;
            i = toPixel((x - lvl.firstX) / lvl.pitch) - shift;
            // The nearest drawn sample; a tie keeps the left one.
            const double here = lvl.firstX + lvl.pitch * (i + shift);
            if (x - here > here + lvl.pitch - x) ++i;
        }
        m_z.g_cursorIndex = i;
        m_z.g_cursorX = x;
        m_z.g_cursorFresh = 0;
        changed = true;
    }
    if (m_z.g_dragging == 1) {
        rubberBand().follow(plot.clamp({x, y}));
        changed = true;
    }
    const int i = m_z.g_cursorIndex;
    if (i >= 0 && i < count && i < static_cast<int>(m_doc.m_fileReadings.size())) {
        m_z.g_readoutValue =
            loggerReadoutValue(m_doc.m_fileReadings[static_cast<size_t>(i)], m_doc.m_fileUnitFC);
        m_z.g_readoutTime =
            formatLocalTime(m_doc.m_fileStartTime + static_cast<qint64>(i) * m_doc.m_fileRateSecs,
                            kClockTimeFormat);
    }
    return changed;
}

bool LoggerZoom::leftUp(int x, int y, const ClientRect& client, bool shown,
                        const YLabels& fullView) {
    const PlotRect plot = loggerPlotRect(client);
    const QPoint p = plot.clamp({x, y});
    const int level = levelOf(m_z);
    const auto l = static_cast<size_t>(level);
    m_z.g_zoomUpX[l] = p.x();
    m_z.g_zoomUpY[l] = p.y();
    rubberBand().release();
    if (m_z.g_dragIdle == 1 || !shown) return false;

    // An upward drag is the same rectangle as a downward one.
    const ZoomSelection sel = ZoomSelection::fromCorners(m_z.g_zoomDownX[l], m_z.g_zoomDownY[l],
                                                         m_z.g_zoomUpX[l], m_z.g_zoomUpY[l]);
    m_z.g_zoomDownX[l] = sel.left;
    m_z.g_zoomDownY[l] = sel.top;
    m_z.g_zoomUpX[l] = sel.right;
    m_z.g_zoomUpY[l] = sel.bottom;
    const int width = plot.right - plot.left;
    const LoggerLevel lvl = loggerLevel(m_z, m_doc.m_fileCount, fullView, plot, level);
    // One sample has no spacing: it counts as fewer than two samples across.
    const double pitch = m_doc.m_fileCount >= 2 ? lvl.pitch : static_cast<double>(width);
    const ZoomTrial trial = zoomTrial(lvl.labels, sel.bottom, sel.top, plot.baseline, plot.height);
    if (zoomAccepted(level, trial, pitch, width)) {
        m_z.g_fullView = 0;
        m_z.g_zoomLevel = level + 1;
        m_z.g_scrollReady = 0;
    }
    m_z.g_dragIdle = 1;
    return true;
}

bool LoggerZoom::dragWatch(int x, int y, const ClientRect& client) {
    if (m_z.g_dragging != 1) return false;
    if (!dragLeftThePlot({x, y}, loggerPlotRect(client), kLoggerDragWatch)) return false;
    rubberBand().cancel();
    return true;
}

void LoggerZoom::fullView() {
    m_z.g_fullView = 1;
    m_z.g_zoomLevel = 0;
    m_z.g_scrollShift = 0;
    m_z.g_cursorFresh = 1;
    m_z.g_dragIdle = 1;
}

int LoggerZoom::scrollTo(int thumb) {
    m_z.g_scrollShift = scrollShiftForThumb(m_z.g_firstVisible, thumb);
    return thumbForScrollShift(m_z.g_firstVisible, m_z.g_scrollShift);
}

int LoggerZoom::thumb() const {
    return thumbForScrollShift(m_z.g_firstVisible, m_z.g_scrollShift);
}

}  // namespace km905
