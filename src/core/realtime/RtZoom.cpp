// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/realtime/RtZoom.h"

#include <algorithm>

#include "core/graph/CursorReadout.h"
#include "core/graph/ScrollShift.h"
#include "core/model/TimeText.h"

namespace km905 {

QString readoutData(float v, uint8_t unitFC) {
    if (v == kOverRange) return QStringLiteral("Data: OL");
    // No gap before lux, the readouts' one before foot-candles.
    if (unitFC == 0) return QStringLiteral("Data:") + thousandsText(v, v * 0.001, "", "Lux");
    if (unitFC == 1)
        return QStringLiteral("Data:") +
               thousandsText(v * kLuxToFc, v * kLuxToKfc, kReadoutGap, "FC");
    return {};  // the unit is not known yet
}

bool RtZoom::leftDown(int x, int y, const ClientRect& client) {
    if (m_v.m_sampleIndex < 1) return false;
    const PlotRect plot = rtPlotRect(client);
    const QPoint p = plot.clamp({x, y});
    const auto d = static_cast<size_t>(std::clamp(m_g.g_rtZoomLevel(), 0, kMaxZoomLevel));
    // Fractions let the level be rebuilt in a window of another size.
    m_g.g_rtDownFracX[d] = static_cast<double>(p.x() - plot.left) / plot.width;
    m_g.g_rtDownFracY[d] = static_cast<double>(p.y() - plot.top) / plot.edgeHeight();
    m_g.zoom.pressBand(static_cast<int>(d), p);
    return true;
}

std::optional<RtZoom::Readout> RtZoom::mouseMove(int x, int y, const ClientRect& client) {
    if (m_v.m_sampleIndex < 1) return std::nullopt;
    const PlotRect plot = rtPlotRect(client);
    const QPoint p = plot.clamp({x, y});
    std::optional<Readout> out;
    const int n = std::clamp(m_v.m_sampleIndex, 0, kPointCapacity);
    const std::optional<int> i = sampleUnder(p.x(), rtLevelSamples(m_g, m_g.zoom.shownLevel(), n),
                                             m_g.m_scrollShift(), {plot.left, false});
    if (i) {
        m_g.zoom.cursorIndex = *i;
        if (*i >= 0 && *i < m_v.m_sampleIndex) {
            const qint64 t =
                m_v.m_startTime + (static_cast<qint64>(m_v.m_sampleRateMs) * *i) / 1000;
            out = Readout{QStringLiteral("time:") + formatLocalTime(t, kClockTimeFormat),
                          readoutData(m_doc.m_readings[static_cast<size_t>(*i)], m_unitFC)};
        }
    }
    m_g.zoom.cursorHidden = 0;
    m_g.zoom.cursorX = p.x();
    if (m_g.zoom.bandActive == 1) {
        m_v.m_zoomDragging = 1;  // the sampling tick stops repainting under the band
        m_g.zoom.rubberBand().follow(p);
    }
    return out;
}

bool RtZoom::leftUp(int x, int y, const ClientRect& client) {
    if (m_v.m_sampleIndex < 1) return false;
    const PlotRect plot = rtPlotRect(client);
    const QPoint p = plot.clamp({x, y});
    const int d = std::clamp(m_g.g_rtZoomLevel(), 0, kMaxZoomLevel);
    m_g.g_rtUpFracX[static_cast<size_t>(d)] = static_cast<double>(p.x() - plot.left) / plot.width;
    m_g.g_rtUpFracY[static_cast<size_t>(d)] =
        static_cast<double>(p.y() - plot.top) / plot.edgeHeight();
    m_g.zoom.releaseBand(d, p);
    m_v.m_zoomDragging = 0;
    if (m_g.zoom.bandIdle == 1) return true;

    const double pitch = m_v.m_sampleIndex >= 2 ? rtSampleX(m_g, d, 1) - rtSampleX(m_g, d, 0)
                                                : static_cast<double>(plot.width);
    const ZoomRelease r = acceptZoom(m_g.zoom, d, m_g.g_rtYLabel[static_cast<size_t>(d)], pitch,
                                     plot.bottom, plot.edgeHeight(), plot.width);
    if (pitch < plot.width && d + 1 < kZoomLevels) {
        // Trial labels of the next level; its next paint recomputes the whole level.
        YLabels& next = m_g.g_rtYLabel[static_cast<size_t>(d) + 1];
        next[0] = r.trial.bottomValue;
        next[1] = r.trial.firstDivisionValue;
        next[10] = r.trial.topValue;
    }
    return true;
}

bool RtZoom::dragWatch(int x, int y, const ClientRect& client) {
    if (m_g.zoom.bandActive != 1) return false;
    if (!dragLeftThePlot({x, y}, rtPlotRect(client), kRtDragWatch)) return false;
    m_g.zoom.rubberBand().cancel();
    m_v.m_zoomDragging = 0;
    return true;
}

void RtZoom::undoZoom() {
    m_g.g_rtXStep0 = m_g.g_rtXStep;
    m_g.zoom.level = 0;
    m_g.zoom.fullView = 1;
    m_g.zoom.scrollShift = 0;
}

int RtZoom::scrollMessage(bool thumbTracking, int thumb) {
    ZoomState& z = m_g.zoom;
    if (thumbTracking) z.scrollShift = scrollShiftForThumb(z.firstVisible, thumb);
    return thumbForScrollShift(z.firstVisible, z.scrollShift);
}

std::optional<QRect> RtZoom::band() const {
    return m_g.zoom.band();
}

std::optional<int> RtZoom::cursorX() const {
    if (m_g.zoom.cursorHidden == 1) return std::nullopt;
    return m_g.zoom.cursorX;
}

}  // namespace km905
