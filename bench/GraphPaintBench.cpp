// SPDX-License-Identifier: GPL-3.0-or-later
// One full paint of the real-time graph: geometry and drawing into the window's image, beside
// the same paint taken literally (a line and a new pen for every segment).
#include <benchmark/benchmark.h>

#include <QFont>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "core/realtime/RtGraph.h"
#include "ui/realtime/RtGraphPainter.h"

using namespace km905;

namespace {

struct RtPaint {
    RtGraphState g;
    ViewState v;
    CDTDoc doc;
    QImage surface{1692, 900, QImage::Format_RGB32};  // a maximised window's view
    QFont font{QStringLiteral("SimSun"), 10};
    PlotRect plot = rtPlotRect({0, 0, 1692, 900});

    explicit RtPaint(int n) {
        v.m_yGain = 40;
        for (int i = 0; i < n; ++i)
            doc.m_readings[static_cast<size_t>(i)] =
                static_cast<float>(200 + 150 * std::sin(i / 50.0));
        v.m_sampleIndex = n;
        // Let the time axis grow to its final span first, as a running recording does.
        while (growRtTimeAxis(g, v, plot)) {
        }
    }
    // The view's paint: its state changes, then the picture.
    RtGraphPicture picture() {
        const std::optional<int> kept = keepCursorThroughRepaint(g, v);
        resetZoomAtFirstSample(g, v);
        growRtTimeAxis(g, v, plot);
        rebuildRtLevels(g, v, doc, 0, plot);
        updateRtLabels(g, v, plot);
        return rtGraphPicture(g, v, plot, kept);
    }
};

void BM_PaintRealtimeGraph(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    RtPaint r(n);
    for (auto _ : state) {
        drawRtGraph(r.surface, r.picture(), r.font);
        benchmark::DoNotOptimize(r.surface.constBits());
    }
    state.SetLabel(std::to_string(n) + " samples");
}

void BM_PaintRealtimeGraphLiteral(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    RtPaint r(n);
    for (auto _ : state) {
        RtGraphPicture p = r.picture();
        p.trace.clear();
        drawRtGraph(r.surface, p, r.font);
        QPainter painter(&r.surface);
        painter.setClipRect(
            QRect(r.plot.left, r.plot.top, r.plot.width, r.plot.bottom - r.plot.top));
        painter.translate(r.plot.left, r.plot.top);
        const std::vector<double>& ys = r.g.g_rtPtY.level(0);
        const double step = r.g.g_rtXStep;
        for (int i = 1; i < n; ++i) {
            painter.setPen(QPen(QColor(255, 0, 0), 0));
            painter.drawLine(toPixel((i - 1) * step), toPixel(ys[static_cast<size_t>(i) - 1]),
                             toPixel(i * step), toPixel(ys[static_cast<size_t>(i)]));
        }
        painter.end();
        benchmark::DoNotOptimize(r.surface.constBits());
    }
    state.SetLabel(std::to_string(n) + " samples");
}

}  // namespace

BENCHMARK(BM_PaintRealtimeGraph)->Arg(19990)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintRealtimeGraphLiteral)->Arg(19990)->Unit(benchmark::kMillisecond);
