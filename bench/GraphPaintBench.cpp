// SPDX-License-Identifier: GPL-3.0-or-later
// One full paint of the real-time graph: geometry and drawing into the window's image, beside
// the same paint taken literally (every sample's position recomputed at every zoom level into a
// table per level, a line and a new pen for every segment). Full view and zoom level 99, on a
// sine and on noisy readings; and the resident memory that 99 zooms leave after UndoZoom.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <random>

#include "core/realtime/RtGraph.h"
#include "core/realtime/RtZoom.h"
#include "ui/realtime/RtGraphPainter.h"

using namespace km905;

namespace {

constexpr ClientRect kClient{0, 0, 1692, 900};  // a maximised window's view

long residentKiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * 4 : -1;  // pages of 4 KiB
}

struct RtPaint {
    RtGraphState g;
    ViewState v;
    CDTDoc doc;
    uint8_t unitFC = 0;
    RtZoom zoom{g, v, doc, unitFC};
    QImage surface{kClient.right, kClient.bottom, QImage::Format_RGB32};
    QFont font{QStringLiteral("SimSun"), 10};
    PlotRect plot = rtPlotRect(kClient);

    // A sine, or a slow wave under noise that moves every sample's row.
    RtPaint(int n, bool noisy) {
        v.m_yGain = 40;
        v.m_sampleRateMs = 1000;
        std::mt19937 random(905);
        std::uniform_real_distribution<float> noise(-60.0f, 60.0f);
        for (int i = 0; i < n; ++i)
            doc.m_readings[static_cast<size_t>(i)] =
                noisy ? static_cast<float>(200 + 100 * std::sin(i / 700.0)) + noise(random)
                      : static_cast<float>(200 + 150 * std::sin(i / 50.0));
        v.m_sampleIndex = n;
        // The time axis grows to its final span first, as a running recording does.
        while (paint().repaintAgain) {
        }
    }
    RtPaint(const RtPaint&) = delete;
    RtPaint& operator=(const RtPaint&) = delete;

    // The view's paint.
    RtGraphPaint paint() { return paintRtGraph(g, v, doc, unitFC, plot); }

    // Five halvings of the time axis, then levels that keep the view, up to `level`; the view
    // repaints after every release.
    void zoomTo(int level) {
        const int T = plot.top, B = plot.bottom - 1;
        for (int k = 0; k < level; ++k) {
            const int right = k < 5 ? plot.left + plot.width / 2 : plot.right;
            zoom.leftDown(plot.left, T, kClient);
            zoom.mouseMove(right, B, kClient);
            zoom.leftUp(right, B, kClient);
            paint();
        }
    }
};

void label(benchmark::State& state, const RtPaint& r, bool noisy) {
    const int level = r.g.g_rtFullView() ? 0 : r.g.g_rtZoomLevel();
    state.SetLabel(std::to_string(r.v.m_sampleIndex) + (noisy ? " noisy" : " sine") + " samples, " +
                   (level == 0 ? "full view" : "level " + std::to_string(level)));
}

// Arguments: samples, noisy (0 or 1), zoom level.
void BM_PaintRealtimeGraph(benchmark::State& state) {
    const bool noisy = state.range(1) != 0;
    RtPaint r(static_cast<int>(state.range(0)), noisy);
    r.zoomTo(static_cast<int>(state.range(2)));
    for (auto _ : state) {
        drawRtGraph(r.surface, r.paint().picture, r.font);
        benchmark::DoNotOptimize(r.surface.constBits());
    }
    label(state, r, noisy);
}

// The literal paint: level 0 and every level up to the shown one recomputed for every sample
// into tables of 20,000 positions per level, then a line and a new pen per drawn segment. Grid,
// axes and texts are the project's.
void BM_PaintRealtimeGraphLiteral(benchmark::State& state) {
    const bool noisy = state.range(1) != 0;
    RtPaint r(static_cast<int>(state.range(0)), noisy);
    r.zoomTo(static_cast<int>(state.range(2)));
    const int n = r.v.m_sampleIndex;
    const PlotRect& plot = r.plot;
    const int L = plot.left, T = plot.top, W = plot.width, H = plot.height, B = plot.baseline;
    std::vector<std::vector<double>> ptX(kZoomLevels, std::vector<double>(kPointCapacity));
    std::vector<std::vector<double>> ptY(ptX);
    std::vector<double> fullX(kPointCapacity), fullY(kPointCapacity);
    std::array<YLabels, kZoomLevels> yLabel{};
    // The Y formula, lux or foot-candles, as the project writes it.
    auto row = [&](float v, const YLabels& labels) {
        return H - rowsAboveBaseline(plottedValue(v, r.unitFC == 1), labels, H);
    };
    for (auto _ : state) {
        RtGraphPaint p = r.paint();
        p.picture.trace.clear();
        drawRtGraph(r.surface, p.picture, r.font);
        const RtGraphState& g = r.g;
        const bool full = g.g_rtFullView() == 1;
        const int d = full ? 0 : g.g_rtZoomLevel();
        yLabel[0] = g.g_rtYLabel[0];
        // The per-sample pass: the full view's point, the step of level 0, level 0's point.
        float xStep0 = g.g_rtXStep0;
        for (int i = 0; i < n; ++i) {
            const auto at = static_cast<size_t>(i);
            fullX[at] = i * static_cast<double>(g.g_rtXStep);
            fullY[at] = row(r.doc.m_readings[at], yLabel[0]);
            xStep0 = full ? g.g_rtXStep : static_cast<float>(W) / (g.g_rtSpanAtZoom - 1);
            ptX[0][at] = i * static_cast<double>(xStep0);
            ptY[0][at] = fullY[at];
        }
        for (int j = 0; j < d; ++j) {
            const auto b = static_cast<size_t>(j);
            double left = W * g.g_rtDownFracX[b] + L, right = W * g.g_rtUpFracX[b] + L;
            double top = H * g.g_rtDownFracY[b] + T, bottom = H * g.g_rtUpFracY[b] + T;
            if (left > right) std::swap(left, right);
            if (top > bottom) std::swap(top, bottom);
            const double range = yLabel[b][10] - yLabel[b][0];
            auto cut = [](double v, double vb) {
                return vb < 1000 ? std::trunc(v * 100) * 0.01 : std::trunc(v * 0.1) * 10;
            };
            const double vb = (B - bottom) * range / H + yLabel[b][0];
            const double vn = ((bottom - top) * 0.1 + (B - bottom)) * range / H + yLabel[b][0];
            for (int c = 0; c <= 10; ++c)
                yLabel[b + 1][static_cast<size_t>(c)] =
                    cut(vb, vb) + c * (cut(vn, vb) - cut(vb, vb));
            for (int i = 0; i < n; ++i) {
                const auto at = static_cast<size_t>(i);
                ptX[b + 1][at] = (ptX[b][at] - (left - L)) * W / (right - left);
                ptY[b + 1][at] = row(r.doc.m_readings[at], yLabel[b + 1]);
            }
        }
        QPainter painter(&r.surface);
        painter.setClipRect(QRect(L, T, W, plot.bottom - T));
        painter.translate(L, T);
        auto segment = [&painter](double x1, double y1, double x2, double y2) {
            painter.setPen(QPen(QColor(255, 0, 0), 0));  // a new pen for every segment
            painter.drawLine(toPixel(x1), toPixel(y1), toPixel(x2), toPixel(y2));
        };
        if (full) {
            for (int i = 1; i < n; ++i)
                segment(fullX[size_t(i) - 1], fullY[size_t(i) - 1], fullX[size_t(i)],
                        fullY[size_t(i)]);
        } else {
            const std::vector<double>& xs = ptX[static_cast<size_t>(d)];
            const std::vector<double>& ys = ptY[static_cast<size_t>(d)];
            const double s = xs[1] - xs[0], x0 = xs[0];
            const int shift = g.m_scrollShift();
            const int first = g.m_firstVisible() - shift + 1;
            const int end = toPixel(W / s + first + 2.0);
            for (int j = std::max(first, 1); j < end && j < n; ++j)
                segment(s * (shift + j - 1) + x0, ys[size_t(j) - 1], s * (shift + j) + x0,
                        ys[size_t(j)]);
        }
        painter.end();
        benchmark::DoNotOptimize(r.surface.constBits());
    }
    label(state, r, noisy);
}

// What 99 zooms and UndoZoom leave in the resident memory, painted as the view paints. It
// measures once and reports counters in MiB; it never fails.
void BM_RealtimeZoomMemory(benchmark::State& state) {
    for (auto _ : state) {
        auto r = std::make_unique<RtPaint>(19990, true);
        drawRtGraph(r->surface, r->paint().picture, r->font);
        const long before = residentKiB();
        r->zoomTo(kMaxZoomLevel);
        drawRtGraph(r->surface, r->paint().picture, r->font);
        const long zoomed = residentKiB();
        r->zoom.undoZoom();
        drawRtGraph(r->surface, r->paint().picture, r->font);
        const long after = residentKiB();
        state.counters["zoomed_MiB"] = (zoomed - before) / 1024.0;
        state.counters["after_undo_MiB"] = (after - before) / 1024.0;
        state.SetLabel("level " + std::to_string(kMaxZoomLevel) + ", then UndoZoom");
    }
}

}  // namespace

BENCHMARK(BM_PaintRealtimeGraph)
    ->Args({19990, 0, 0})
    ->Args({19990, 1, 0})
    ->Args({1000, 0, 0})
    ->Args({19990, 0, kMaxZoomLevel})
    ->Args({19990, 1, kMaxZoomLevel})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintRealtimeGraphLiteral)
    ->Args({19990, 0, 0})
    ->Args({19990, 1, 0})
    ->Args({19990, 0, kMaxZoomLevel})
    ->Args({19990, 1, kMaxZoomLevel})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RealtimeZoomMemory)->Iterations(1)->Unit(benchmark::kMillisecond);
