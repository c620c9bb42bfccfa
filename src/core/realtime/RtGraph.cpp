#include "realtime/RtGraph.h"

#include <cmath>

#include "model/TimeText.h"

namespace km905 {

std::vector<double>& RtGraphState::ptX(int level) {
    auto& a = g_rtPtX[static_cast<size_t>(std::clamp(level, 0, kZoomLevels - 1))];
    if (a.empty()) a.assign(kPointCapacity, 0.0);
    return a;
}

std::vector<double>& RtGraphState::ptY(int level) {
    auto& a = g_rtPtY[static_cast<size_t>(std::clamp(level, 0, kZoomLevels - 1))];
    if (a.empty()) a.assign(kPointCapacity, 0.0);
    return a;
}

int toPixel(double v) {
    // Over-range readings land millions of pixels off the plot; the surface clips them.
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::clamp(v, -1.0e8, 1.0e8));
}

QString yLabelText(double v) {
    if (v >= 1000) return QString::asprintf("%.2fk", v * 0.001);
    return QString::asprintf("%.2f", v);
}

namespace {

double plotY(double reading, const std::array<double, 11>& lab, int H, uint8_t unitFC) {
    const double v =
        unitFC == 1 ? static_cast<double>(static_cast<float>(reading) * 0.0929368f) : reading;
    const double span = lab[10] - lab[0];
    if (span == 0) return H;
    return H - H * (v - lab[0]) / span;
}

int labelShift(double v) {
    if (v >= 0 && v < 10) return 4;
    if (v >= 10 && v < 100) return 3;
    return 2;
}

// One zoom level from the one below it and its selection fractions.
void rebuildLevel(RtGraphState& g, int j, int n, const std::vector<float>& readings, uint8_t unitFC,
                  int L, int T, int W, int B, int H) {
    double left = W * g.g_rtDownFracX[j] + L, right = W * g.g_rtUpFracX[j] + L;
    double top = H * g.g_rtDownFracY[j] + T, bottom = H * g.g_rtUpFracY[j] + T;
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    g.g_rtZoomLeft[j] = static_cast<float>(left);
    g.g_rtZoomRight[j] = static_cast<float>(right);
    g.g_rtZoomTop[j] = static_cast<float>(top);
    g.g_rtZoomBottom[j] = static_cast<float>(bottom);
    const auto& lab = g.g_rtYLabel[static_cast<size_t>(j)];
    const double r = lab[10] - lab[0];
    double vb = (B - bottom) * r / H + lab[0];
    double vn = ((bottom - top) * 0.1 + (B - bottom)) * r / H + lab[0];
    if (vb < 1000) {
        vb = std::trunc(vb * 100) * 0.01;
        vn = std::trunc(vn * 100) * 0.01;
    } else {
        vb = std::trunc(vb * 0.1) * 10;
        vn = std::trunc(vn * 0.1) * 10;
    }
    auto& next = g.g_rtYLabel[static_cast<size_t>(j) + 1];
    for (int c = 0; c <= 10; ++c) next[static_cast<size_t>(c)] = vb + c * (vn - vb);
    const double width = std::max(right - left, 1e-6);  // a zero-width selection stays finite
    auto& xs = g.ptX(j);
    auto& nx = g.ptX(j + 1);
    auto& ny = g.ptY(j + 1);
    for (int i = 0; i < n; ++i) {
        nx[static_cast<size_t>(i)] = (xs[static_cast<size_t>(i)] - (left - L)) * W / width;
        ny[static_cast<size_t>(i)] = plotY(readings[static_cast<size_t>(i)], next, H, unitFC);
    }
}

}  // namespace

RtGraphPicture paintRtGraph(RtGraphState& g, ViewState& v, const CDTDoc& doc, uint8_t unitFC,
                            const ViewRect& c) {
    RtGraphPicture p;
    const int L = c.left + 294, T = c.top + 150, R = c.right - 50, Bp = c.bottom - 150;
    const int W = std::max(R - L, 1);
    const int B = Bp - 1;
    const int H = std::max(B - T, 1);
    p.L = L, p.T = T, p.R = R, p.Bp = Bp, p.W = W, p.B = B, p.H = H;
    p.stripW = std::max(L - 226, 0);
    p.stripH = std::max((Bp + 30) - (T - 31), 0);
    p.rightStripX = R < 224 ? 224 : R;
    p.rightStripEnd = R < 224 ? 224 : R + 60;

    const int n = std::clamp(v.m_sampleIndex, 0, kPointCapacity);
    const int P = v.m_sampleRateMs / 1000;
    p.noSamples = n == 0;

    // Cursor line: kept after a new sample, wiped by any other repaint.
    if (v.m_redrawCursor == 1 && g.g_rtCursorHidden == 0) {
        p.cursorX = g.g_rtCursorX - L;
        v.m_redrawCursor = 0;
    }
    if (v.m_redrawCursor == 0) g.g_rtCursorHidden = 1;

    p.bandAboveX = 290;
    p.bandAboveY = T - 31;
    p.bandAboveW = c.right - 280;

    if (n == 1) {
        g.g_rtXStep0 = g.g_rtXStep;
        g.g_rtSpan = 100;
        g.g_rtZoomLevel = 0;
        g.g_rtFullView = 1;
        g.m_scrollShift = 0;
    }
    g.g_rtXStep = static_cast<float>(W) / static_cast<float>(g.g_rtSpan - 1);

    const int cell = W / 12;
    int perCell = 0;
    if (n == 0) {
        for (int i = 0; i <= 12; ++i) p.gridX.push_back(i * W / 12);
    } else if (g.g_rtFullView == 1) {
        perCell = static_cast<int>(cell / g.g_rtXStep);
        for (int i = 0; i <= 13; ++i)
            p.gridX.push_back(toPixel(perCell * i * static_cast<double>(g.g_rtXStep)));
    }
    for (int i = 1; i <= 10; ++i) p.gridY.push_back(static_cast<int>(i * H * 0.1));

    auto& lab0 = g.g_rtYLabel[0];
    for (int k = 0; k <= 10; ++k)
        lab0[static_cast<size_t>(k)] = static_cast<double>((k + v.m_yOffset) * v.m_yGain);

    const std::vector<float>& readings = doc.m_readings;
    auto& px0 = g.ptX(0);
    auto& py0 = g.ptY(0);
    if (n >= 1) {
        py0[0] = plotY(readings[0], lab0, H, unitFC);
        px0[0] = 0;
    }
    double xPrev = 0, yPrev = n >= 1 ? py0[0] : 0;
    for (int i = 1; i < n; ++i) {
        const double xi = i * static_cast<double>(g.g_rtXStep);
        const double yi = plotY(readings[static_cast<size_t>(i)], lab0, H, unitFC);
        if (g.g_rtFullView == 1) {
            g.g_rtXStep0 = g.g_rtXStep;
            g.g_rtSpanAtZoom = g.g_rtSpan;
        } else {
            g.g_rtXStep0 = static_cast<float>(W) / static_cast<float>(g.g_rtSpanAtZoom - 1);
        }
        px0[static_cast<size_t>(i)] = i * static_cast<double>(g.g_rtXStep0);
        py0[static_cast<size_t>(i)] = yi;
        if (g.g_rtFullView == 1)
            p.trace.push_back({toPixel(xPrev), toPixel(yPrev), toPixel(xi), toPixel(yi)});
        xPrev = xi;
        yPrev = yi;
        // The samples filled the width: compress them into eleven twelfths of it.
        if (n >= g.g_rtSpan + 1) {
            g.g_rtXStep = static_cast<float>(W - W / 12) / static_cast<float>(g.g_rtSpan);
            g.g_rtSpan = static_cast<int>(W / g.g_rtXStep + 1);
            p.repaintAgain = true;
        }
    }

    if (g.g_rtFullView == 1) {
        g.g_rtTimeLabel[0] = v.m_startTime;
        for (int m = 1; m <= 4; ++m)
            g.g_rtTimeLabel[static_cast<size_t>(m)] =
                v.m_startTime + static_cast<qint64>(perCell) * P * 3 * m;
    }

    double s = 1, x0 = 0;
    const int d = std::clamp(g.g_rtZoomLevel, 0, kZoomLevels - 1);
    if (g.g_rtFullView == 0 && n >= 1) {
        p.zoomed = true;
        p.scrollMax = n;
        for (int j = 0; j < d; ++j) rebuildLevel(g, j, n, readings, unitFC, L, T, W, B, H);
        auto& pxd = g.ptX(d);
        auto& pyd = g.ptY(d);
        s = n >= 2 ? pxd[1] - pxd[0] : static_cast<double>(g.g_rtXStep0);
        if (s <= 0 || std::isnan(s)) s = 1e-6;
        x0 = pxd[0];
        if (g.g_rtScrollReady == 0) {
            g.m_firstVisible = toPixel(-x0 / s);
            p.scrollPos = g.m_firstVisible - g.m_scrollShift + 1;
            g.g_rtScrollReady = 1;
        }
        g.g_rtTimeLabel[0] =
            v.m_startTime + static_cast<qint64>(g.m_firstVisible - g.m_scrollShift) * P;
        const int q = toPixel(W / s);
        int step = 1;
        if (q >= 2) {
            const int zcell = q == 2 ? W / 2 : q == 3 ? W / 3 : W / 4;
            step = toPixel(zcell / s);
        }
        for (int i = 0; i < 10; ++i) {
            const int sample = g.m_firstVisible + step * i;
            g.g_rtGridSample[static_cast<size_t>(i)] = sample;
            p.gridX.push_back(toPixel(sample * s + x0));
            g.g_rtTimeLabel[static_cast<size_t>(i)] =
                g.g_rtTimeLabel[0] + static_cast<qint64>(sample - g.m_firstVisible) * P;
        }
        const int first = g.m_firstVisible - g.m_scrollShift + 1;
        const int end = toPixel(W / s + first + 2.0);
        for (int j = std::max(first, 1); j < end && j < n; ++j)
            p.trace.push_back({toPixel(s * (g.m_scrollShift + j - 1) + x0),
                               toPixel(pyd[static_cast<size_t>(j) - 1]),
                               toPixel(s * (g.m_scrollShift + j) + x0),
                               toPixel(pyd[static_cast<size_t>(j)])});
    }

    for (int i = 0; i < 10; ++i)
        g.m_timeLabelText[static_cast<size_t>(i)] =
            formatLocalTime(g.g_rtTimeLabel[static_cast<size_t>(i)], kClockTimeFormat);
    const auto& labd = g.g_rtYLabel[static_cast<size_t>(g.g_rtFullView == 1 ? 0 : d)];
    for (int k = 0; k <= 10; ++k)
        g.m_yLabelText[static_cast<size_t>(k)] = yLabelText(labd[static_cast<size_t>(k)]);

    const int stripTop = T - 31;
    for (int k = 0; k <= 10; ++k) {
        const int yc = B - k * (H - 1) / 10 - stripTop - 1;
        p.yTicks.push_back({p.stripW - 5, yc, p.stripW, yc});
        const int x = static_cast<int>(7.5 * labelShift(labd[static_cast<size_t>(k)]) + 2);
        const int y = B - k * (H - 2) / 10 - stripTop - 8;
        p.yLabels.push_back({g.m_yLabelText[static_cast<size_t>(k)], x, y});
    }

    // Time texts sit just under the plot, each at its grid line.
    p.timeBand = B > T;
    p.timeBandY = Bp;
    p.timeBandW = W + 108;
    const int textY = Bp + 8;
    if (n >= 1) {
        if (g.g_rtFullView == 1) {
            for (int m = 4; m >= 1; --m)
                p.timeLabels.push_back(
                    {g.m_timeLabelText[static_cast<size_t>(m)],
                     toPixel(perCell * static_cast<double>(g.g_rtXStep) * 3 * m + L), textY});
            p.timeLabels.push_back({g.m_timeLabelText[0], L + 2, textY});
        } else {
            for (int i = 0; i < 10; ++i) {
                const double x = g.g_rtGridSample[static_cast<size_t>(i)] * s + L + x0;
                if (x >= L && x <= R)
                    p.timeLabels.push_back(
                        {g.m_timeLabelText[static_cast<size_t>(i)], toPixel(x), textY});
            }
        }
    }

    if (v.m_firstTickPending == 1) p.armFirstTick = true;  // the view arms timer 1 and clears it
    return p;
}

}  // namespace km905
