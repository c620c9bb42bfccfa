#include "realtime/RtZoom.h"

#include <cmath>

#include "model/TimeText.h"

namespace km905 {

RtZoom::Geometry RtZoom::geometry(const ViewRect& c) {
    const int L = c.left + 294, T = c.top + 150, R = c.right - 50, Bp = c.bottom - 150;
    return {L, T, R, Bp, std::max(R - L, 1)};
}

QPoint RtZoom::clamp(int x, int y, const Geometry& g) {
    return {std::clamp(x, g.L, std::max(g.L, g.R)), std::clamp(y, g.T, std::max(g.T, g.Bp))};
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

bool RtZoom::leftDown(int x, int y, const ViewRect& client) {
    if (m_v.m_sampleIndex < 1) return false;
    const Geometry g = geometry(client);
    const QPoint p = clamp(x, y, g);
    const int d = std::clamp(m_g.g_rtZoomLevel, 0, kZoomLevels - 1);
    m_g.g_rtZoomLeft[d] = static_cast<float>(p.x());
    m_g.g_rtZoomTop[d] = static_cast<float>(p.y());
    m_g.g_rtBandAnchorX = m_g.g_rtBandLastX = p.x();
    m_g.g_rtBandAnchorY = m_g.g_rtBandLastY = p.y();
    m_g.g_rtDownFracX[d] = static_cast<double>(p.x() - g.L) / g.W;
    m_g.g_rtDownFracY[d] = static_cast<double>(p.y() - g.T) / std::max(g.Bp - g.T, 1);
    m_g.g_rtBandActive = 1;
    m_g.g_rtBandIdle = 1;
    return true;
}

std::optional<RtZoom::Readout> RtZoom::mouseMove(int x, int y, const ViewRect& client) {
    if (m_v.m_sampleIndex < 1) return std::nullopt;
    const Geometry g = geometry(client);
    const QPoint p = clamp(x, y, g);
    const int d = level();
    const std::vector<double>& px = m_g.ptX(d);
    const double x0 = px[0];
    const double s = m_v.m_sampleIndex >= 2 ? px[1] - x0 : 1.0;
    std::optional<Readout> out;
    if (s > 0 && std::isfinite(s)) {
        int i = toPixel((p.x() - g.L - x0) / s - m_g.m_scrollShift);
        const int at = m_g.m_scrollShift + i;
        // The drawn positions decide between a sample and the next; a tie keeps the left one.
        if (at >= 0 && at + 1 < kPointCapacity) {
            const double a = p.x() - g.L - px[static_cast<size_t>(at)];
            const double b = g.L + px[static_cast<size_t>(at) + 1] - p.x();
            if (a > b) ++i;
        }
        m_g.g_rtCursorIndex = i;
        if (i >= 0 && i < m_v.m_sampleIndex) {
            const qint64 t = m_v.m_startTime + (static_cast<qint64>(m_v.m_sampleRateMs) * i) / 1000;
            out = Readout{QStringLiteral("time:") + formatLocalTime(t, kClockTimeFormat),
                          readoutData(m_doc.m_readings[static_cast<size_t>(i)], m_unitFC)};
        }
    }
    m_g.g_rtCursorHidden = 0;
    m_g.g_rtCursorX = p.x();
    if (m_g.g_rtBandActive == 1) {
        m_v.m_zoomDragging = 1;
        if (p.x() != m_g.g_rtBandAnchorX || p.y() != m_g.g_rtBandAnchorY) m_g.g_rtBandIdle = 0;
        m_g.g_rtBandLastX = p.x();
        m_g.g_rtBandLastY = p.y();
    }
    return out;
}

bool RtZoom::leftUp(int x, int y, const ViewRect& client) {
    if (m_v.m_sampleIndex < 1) return false;
    const Geometry g = geometry(client);
    const QPoint p = clamp(x, y, g);
    const int d = std::clamp(m_g.g_rtZoomLevel, 0, kZoomLevels - 1);
    m_g.g_rtZoomRight[d] = static_cast<float>(p.x());
    m_g.g_rtZoomBottom[d] = static_cast<float>(p.y());
    m_g.g_rtUpFracX[d] = static_cast<double>(p.x() - g.L) / g.W;
    m_g.g_rtUpFracY[d] = static_cast<double>(p.y() - g.T) / std::max(g.Bp - g.T, 1);
    m_g.g_rtBandActive = 0;
    m_v.m_zoomDragging = 0;
    if (m_g.g_rtBandIdle == 1) return true;

    float& left = m_g.g_rtZoomLeft[d];
    float& right = m_g.g_rtZoomRight[d];
    float& top = m_g.g_rtZoomTop[d];
    float& bottom = m_g.g_rtZoomBottom[d];
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    const std::vector<double>& px = m_g.ptX(d);
    const double s = m_v.m_sampleIndex >= 2 ? px[1] - px[0] : static_cast<double>(g.W);
    bool accept = m_g.g_rtZoomLevel < kZoomLevels - 1 && s < g.W;
    if (s < g.W && d + 1 < kZoomLevels) {
        const auto& lab = m_g.g_rtYLabel[static_cast<size_t>(d)];
        const double r = lab[10] - lab[0];
        const double h = std::max(g.Bp - g.T, 1);
        const double b0 = (g.Bp - bottom) * r / h + lab[0];
        const double b1 = ((bottom - top) * 0.1 + (g.Bp - bottom)) * r / h + lab[0];
        const double b10 = ((bottom - top) + (g.Bp - bottom)) * r / h + lab[0];
        auto& next = m_g.g_rtYLabel[static_cast<size_t>(d) + 1];
        next[0] = b0;
        next[1] = b1;
        next[10] = b10;
        // One division must stay above 0.1 (10 from 1000 up).
        accept = accept && (b1 - b0) > (b10 >= 1000 ? 10.0 : 0.1);
    }
    if (accept) {
        ++m_g.g_rtZoomLevel;
        m_g.g_rtFullView = 0;
        m_g.g_rtScrollReady = 0;
    }
    m_g.g_rtBandIdle = 1;
    return true;
}

bool RtZoom::dragWatch(int x, int y, const ViewRect& client) {
    const Geometry g = geometry(client);
    if (m_g.g_rtBandActive != 1) return false;
    if (y <= g.T - 3 || x <= g.L - 50 || x >= client.right - 20 || y >= client.bottom - 130) {
        m_g.g_rtBandActive = 0;
        m_v.m_zoomDragging = 0;
        m_g.g_rtBandIdle = 1;
        return true;
    }
    return false;
}

void RtZoom::undoZoom() {
    m_g.g_rtXStep0 = m_g.g_rtXStep;
    m_g.g_rtZoomLevel = 0;
    m_g.g_rtFullView = 1;
    m_g.m_scrollShift = 0;
}

int RtZoom::scrollTo(int thumb) {
    m_g.m_scrollShift = m_g.m_firstVisible - thumb + 1;
    return m_g.m_firstVisible - m_g.m_scrollShift + 1;
}

std::optional<QRect> RtZoom::band() const {
    if (m_g.g_rtBandActive != 1 || m_g.g_rtBandIdle == 1) return std::nullopt;
    return QRect(QPoint(m_g.g_rtBandAnchorX, m_g.g_rtBandAnchorY),
                 QPoint(m_g.g_rtBandLastX, m_g.g_rtBandLastY))
        .normalized();
}

std::optional<int> RtZoom::cursorX() const {
    if (m_g.g_rtCursorHidden == 1) return std::nullopt;
    return m_g.g_rtCursorX;
}

}  // namespace km905
