// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/realtime/RtZoom.h"

#include <algorithm>

#include "core/graph/CursorReadout.h"
#include "core/graph/ScrollShift.h"
#include "core/model/TimeText.h"

namespace km905 {

RubberBand RtZoom::rubberBand() const {
    return {m_g.g_rtBandActive,  m_g.g_rtBandIdle,  m_g.g_rtBandAnchorX,
            m_g.g_rtBandAnchorY, m_g.g_rtBandLastX, m_g.g_rtBandLastY};
}

QString readoutData(float v, uint8_t unitFC) {
    if (v == kOverRange) return QStringLiteral("Data: OL");
    if (unitFC == 0) {
        if (v < 1000) return QString::asprintf("Data:%.2fLux", static_cast<double>(v));
        return QString::asprintf("Data:%.2fKLux", v * 0.001);
    }
    if (unitFC == 1) {
        const double fc = v * kLuxToFc;
        if (fc < 1000) return QString::asprintf("Data:%.2f FC", fc);
        return QString::asprintf("Data:%.2f KFC", v * kLuxToKfc);
    }
    return {};  // the unit is not known yet
}

bool RtZoom::leftDown(int x, int y, const ClientRect& client) {
    if (m_v.m_sampleIndex < 1) return false;
    const PlotRect plot = rtPlotRect(client);
    const QPoint p = plot.clamp({x, y});
    const auto d = static_cast<size_t>(std::clamp(m_g.g_rtZoomLevel, 0, kMaxZoomLevel));
    m_g.g_rtZoomLeft[d] = static_cast<float>(p.x());
    m_g.g_rtZoomTop[d] = static_cast<float>(p.y());
    // Fractions let the level be rebuilt in a window of another size.
    m_g.g_rtDownFracX[d] = static_cast<double>(p.x() - plot.left) / plot.width;
    m_g.g_rtDownFracY[d] = static_cast<double>(p.y() - plot.top) / plot.edgeHeight();
    rubberBand().press(p);
    return true;
}

std::optional<RtZoom::Readout> RtZoom::mouseMove(int x, int y, const ClientRect& client) {
    if (m_v.m_sampleIndex < 1) return std::nullopt;
    const PlotRect plot = rtPlotRect(client);
    const QPoint p = plot.clamp({x, y});
    std::optional<Readout> out;
    const std::optional<int> i = sampleUnder(p.x(), m_g.g_rtPtX.level(level()), m_v.m_sampleIndex,
                                             m_g.m_scrollShift, {plot.left, false});
    if (i) {
        m_g.g_rtCursorIndex = *i;
        if (*i >= 0 && *i < m_v.m_sampleIndex) {
            const qint64 t =
                m_v.m_startTime + (static_cast<qint64>(m_v.m_sampleRateMs) * *i) / 1000;
            out = Readout{QStringLiteral("time:") + formatLocalTime(t, kClockTimeFormat),
                          readoutData(m_doc.m_readings[static_cast<size_t>(*i)], m_unitFC)};
        }
    }
    m_g.g_rtCursorHidden = 0;
    m_g.g_rtCursorX = p.x();
    if (m_g.g_rtBandActive == 1) {
        m_v.m_zoomDragging = 1;  // the sampling tick stops repainting under the band
        rubberBand().follow(p);
    }
    return out;
}

bool RtZoom::leftUp(int x, int y, const ClientRect& client) {
    if (m_v.m_sampleIndex < 1) return false;
    const PlotRect plot = rtPlotRect(client);
    const QPoint p = plot.clamp({x, y});
    const auto d = static_cast<size_t>(std::clamp(m_g.g_rtZoomLevel, 0, kMaxZoomLevel));
    m_g.g_rtZoomRight[d] = static_cast<float>(p.x());
    m_g.g_rtZoomBottom[d] = static_cast<float>(p.y());
    m_g.g_rtUpFracX[d] = static_cast<double>(p.x() - plot.left) / plot.width;
    m_g.g_rtUpFracY[d] = static_cast<double>(p.y() - plot.top) / plot.edgeHeight();
    rubberBand().release();
    m_v.m_zoomDragging = 0;
    if (m_g.g_rtBandIdle == 1) return true;

    const ZoomSelection sel = ZoomSelection::fromCorners(
        m_g.g_rtZoomLeft[d], m_g.g_rtZoomTop[d], m_g.g_rtZoomRight[d], m_g.g_rtZoomBottom[d]);
    m_g.g_rtZoomLeft[d] = static_cast<float>(sel.left);
    m_g.g_rtZoomRight[d] = static_cast<float>(sel.right);
    m_g.g_rtZoomTop[d] = static_cast<float>(sel.top);
    m_g.g_rtZoomBottom[d] = static_cast<float>(sel.bottom);
    const std::vector<double>& px = m_g.g_rtPtX.level(static_cast<int>(d));
    const double pitch = m_v.m_sampleIndex >= 2 ? px[1] - px[0] : static_cast<double>(plot.width);
    bool accept = false;
    if (pitch < plot.width && d + 1 < kZoomLevels) {
        // Trial labels of the next level; its next paint recomputes the whole level.
        const ZoomTrial trial =
            zoomTrial(m_g.g_rtYLabel[d], sel.bottom, sel.top, plot.bottom, plot.edgeHeight());
        YLabels& next = m_g.g_rtYLabel[d + 1];
        next[0] = trial.bottomValue;
        next[1] = trial.firstDivisionValue;
        next[10] = trial.topValue;
        accept = zoomAccepted(m_g.g_rtZoomLevel, trial, pitch, plot.width);
    }
    if (accept) {
        ++m_g.g_rtZoomLevel;
        m_g.g_rtFullView = 0;
        m_g.g_rtScrollReady = 0;
    }
    m_g.g_rtBandIdle = 1;
    return true;
}

bool RtZoom::dragWatch(int x, int y, const ClientRect& client) {
    if (m_g.g_rtBandActive != 1) return false;
    if (!dragLeftThePlot({x, y}, rtPlotRect(client), kRtDragWatch)) return false;
    rubberBand().cancel();
    m_v.m_zoomDragging = 0;
    return true;
}

void RtZoom::undoZoom() {
    m_g.g_rtXStep0 = m_g.g_rtXStep;
    m_g.g_rtZoomLevel = 0;
    m_g.g_rtFullView = 1;
    m_g.m_scrollShift = 0;
}

int RtZoom::scrollMessage(bool thumbTracking, int thumb) {
    if (thumbTracking) m_g.m_scrollShift = scrollShiftForThumb(m_g.m_firstVisible, thumb);
    return thumbForScrollShift(m_g.m_firstVisible, m_g.m_scrollShift);
}

std::optional<QRect> RtZoom::band() const {
    return rubberBand().rect();
}

std::optional<int> RtZoom::cursorX() const {
    if (m_g.g_rtCursorHidden == 1) return std::nullopt;
    return m_g.g_rtCursorX;
}

}  // namespace km905
