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
    return z.zoom.shownLevel();
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
    const qint64 t0 =
        d.m_fileStartTime +
        static_cast<qint64>(z.zoom.firstVisible - z.zoom.scrollShift) * d.m_file.rateSecs;
    int step = 1;
    if (r > 1) {
        const double f = r > 3 ? 0.25 : (r == 3 ? 1.0 / 3 : 0.5);
        step = std::max(toPixel(width * f / s), 1);
    }
    for (int i = 0; i < 10; ++i) {
        const int index = z.zoom.firstVisible + i * step;
        if (r <= 1 && (index < 0 || index >= d.fileCount())) continue;
        const int x = toPixel(lvl.firstX + s * index);
        if (x >= plot.left && x < plot.right) pic.timeGrid.push_back({x, plot.bottom, x, plot.top});
        if (index < 0 || index >= d.fileCount() || x < plot.left || x > plot.right) continue;
        const qint64 t = t0 + static_cast<qint64>(i) * step * d.m_file.rateSecs;
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
        const ZoomCorners& c = z.zoom.corners[b];
        const ZoomSelection sel = ZoomSelection::fromCorners(c.downX, c.downY, c.upX, c.upY);
        const AxisZoom map = AxisZoom::horizontal(sel, plot, 0);
        lvl.firstX = map(lvl.firstX);
        lvl.pitch = lvl.pitch * map.span / map.width;
        lvl.labels = zoomedLabels(lvl.labels, sel, plot, ZoomLabels::Exact);
    }
    return lvl;
}

std::optional<int> enterLoggerLevelScroll(LoggerZoomState& z, const CDTDoc& doc,
                                          const YLabels& fullView, const PlotRect& plot) {
    ZoomState& zs = z.zoom;
    if (zs.fullView == 1 || zs.scrollReady == 1 || doc.fileCount() < 2) return std::nullopt;
    const LoggerLevel lvl = loggerLevel(z, doc.fileCount(), fullView, plot, levelOf(z));
    if (!(lvl.pitch > 0)) return std::nullopt;
    zs.firstVisible = toPixel((plot.left - (lvl.firstX + lvl.pitch * zs.scrollShift)) / lvl.pitch) +
                      zs.scrollShift;
    zs.scrollReady = 1;
    return thumbForScrollShift(zs.firstVisible, zs.scrollShift);
}

LoggerGraphPicture loggerGraphPicture(const LoggerZoomState& z, const CDTDoc& d, bool shown,
                                      const YLabels& fullView, const ClientRect& client) {
    LoggerGraphPicture pic;
    const PlotRect plot = loggerPlotRect(client);
    pic.plot = plot;
    pic.plotArea = QRect(QPoint(plot.left, plot.top), QPoint(plot.right, plot.bottom));
    pic.curveClip = QRect(plot.left, plot.top, std::max(plot.right - plot.left, 0),
                          std::max(plot.bottom - plot.top + 1, 0));
    const bool full = z.zoom.fullView == 1;
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

    pic.band = z.zoom.band();
    if (!shown) return pic;

    const int count = std::clamp(d.fileCount(), 0, static_cast<int>(d.m_file.readings.size()));
    const int level = levelOf(z);
    const LoggerLevel lvl = loggerLevel(z, count, fullView, plot, level);
    const bool fc = d.m_file.unitFC == 1;
    auto rowAt = [&](int j) {
        return rowOf(plottedValue(d.m_file.readings[static_cast<size_t>(j)], fc), lvl, plot);
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
            d.m_fileStartTime + static_cast<qint64>(d.m_file.rateSecs) * std::max(count - 1, 0);
        pic.texts.push_back(
            {formatLocalTime(end, kClockTimeFormat), plot.right - 55, plot.bottom + 8});
    } else if (lvl.pitch > 0) {
        pic.scrollEnabled = true;
        pic.scrollMax = count;
        addZoomedTime(pic, z, d, lvl, plot);
        const int shift = z.zoom.scrollShift;
        const int start = z.zoom.firstVisible - shift;
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
    if (z.zoom.cursorHidden == 0) pic.cursorX = z.zoom.cursorX;
    return pic;
}

QString loggerReadoutValue(float v, uint8_t unitFC) {
    if (v == kOverRange) return QStringLiteral("OL");
    if (unitFC == 0) return thousandsText(v, v * 0.001, kReadoutGap, "Lux");
    if (unitFC == 1) return thousandsText(v * kLuxToFc, v * kLuxToKfcExport, kReadoutGap, "FC");
    return {};
}

void LoggerZoom::leftDown(int x, int y, const ClientRect& client) {
    m_z.zoom.pressBand(levelOf(m_z), loggerPlotRect(client).clamp({x, y}));
}

bool LoggerZoom::mouseMove(int x, int y, const ClientRect& client, bool shown,
                           const YLabels& fullView) {
    if (!shown) return false;
    ZoomState& z = m_z.zoom;
    const PlotRect plot = loggerPlotRect(client);
    const int count = m_doc.fileCount();
    bool changed = false;
    if (x >= plot.left && x <= plot.right + 1) {
        const LoggerLevel lvl = loggerLevel(m_z, count, fullView, plot, levelOf(m_z));
        int i = 0;
        if (lvl.pitch > 0) {
            const LevelSamples samples{[&lvl](int k) { return lvl.firstX + lvl.pitch * k; }, count};
            i = sampleUnder(x, samples, z.scrollShift, kLoggerCursor).value_or(0);
        }
        z.cursorIndex = i;
        z.cursorX = x;
        z.cursorHidden = 0;
        changed = true;
    }
    if (z.bandActive == 1) {
        z.rubberBand().follow(plot.clamp({x, y}));
        changed = true;
    }
    const int i = z.cursorIndex;
    if (i >= 0 && i < count && i < static_cast<int>(m_doc.m_file.readings.size())) {
        m_z.g_readoutValue =
            loggerReadoutValue(m_doc.m_file.readings[static_cast<size_t>(i)], m_doc.m_file.unitFC);
        m_z.g_readoutTime =
            formatLocalTime(m_doc.m_fileStartTime + static_cast<qint64>(i) * m_doc.m_file.rateSecs,
                            kClockTimeFormat);
    }
    return changed;
}

bool LoggerZoom::leftUp(int x, int y, const ClientRect& client, bool shown,
                        const YLabels& fullView) {
    const PlotRect plot = loggerPlotRect(client);
    const int level = levelOf(m_z);
    m_z.zoom.releaseBand(level, plot.clamp({x, y}));
    if (m_z.zoom.bandIdle == 1 || !shown) return false;

    const int width = plot.right - plot.left;
    const LoggerLevel lvl = loggerLevel(m_z, m_doc.fileCount(), fullView, plot, level);
    // One sample has no spacing: it counts as fewer than two samples across.
    const double pitch = m_doc.fileCount() >= 2 ? lvl.pitch : static_cast<double>(width);
    acceptZoom(m_z.zoom, level, lvl.labels, pitch, plot.baseline, plot.height, width);
    return true;
}

bool LoggerZoom::dragWatch(int x, int y, const ClientRect& client) {
    if (m_z.zoom.bandActive != 1) return false;
    if (!dragLeftThePlot({x, y}, loggerPlotRect(client), kLoggerDragWatch)) return false;
    m_z.zoom.rubberBand().cancel();
    return true;
}

void LoggerZoom::fullView() {
    ZoomState& z = m_z.zoom;
    z.fullView = 1;
    z.level = 0;
    z.scrollShift = 0;
    z.cursorHidden = 1;
    z.bandIdle = 1;
}

int LoggerZoom::scrollTo(int thumb) {
    ZoomState& z = m_z.zoom;
    z.scrollShift = scrollShiftForThumb(z.firstVisible, thumb);
    return thumbForScrollShift(z.firstVisible, z.scrollShift);
}

int LoggerZoom::thumb() const {
    return thumbForScrollShift(m_z.zoom.firstVisible, m_z.zoom.scrollShift);
}

}  // namespace km905
