// One full paint of the real-time graph: geometry and drawing into the window's image.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "realtime/RtGraph.h"
#include "realtime/RtGraphPainter.h"

using namespace km905;

static void BM_PaintRealtimeGraph(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    RtGraphState g;
    ViewState v;
    CDTDoc doc;
    v.m_yGain = 40;
    for (int i = 0; i < n; ++i)
        doc.m_readings[static_cast<size_t>(i)] = static_cast<float>(200 + 150 * std::sin(i / 50.0));
    v.m_sampleIndex = n;
    QImage surface(1692, 900, QImage::Format_RGB32);  // a maximised window's view
    QFont font(QStringLiteral("SimSun"));
    font.setPointSize(10);
    const PlotRect plot = rtPlotRect({0, 0, 1692, 900});
    // Let the time axis grow to its final span first, as a running recording does.
    while (growRtTimeAxis(g, v, plot)) {
    }
    for (auto _ : state) {
        // The view's paint: its state changes, then the picture and the drawing.
        const std::optional<int> kept = keepCursorThroughRepaint(g, v);
        resetZoomAtFirstSample(g, v);
        growRtTimeAxis(g, v, plot);
        rebuildRtLevels(g, v, doc, 0, plot);
        updateRtLabels(g, v, plot);
        const RtGraphPicture p = rtGraphPicture(g, v, plot, kept);
        drawRtGraph(surface, p, font);
        benchmark::DoNotOptimize(surface.constBits());
    }
    state.SetLabel(std::to_string(n) + " samples");
}
BENCHMARK(BM_PaintRealtimeGraph)->Arg(19990)->Arg(1000)->Unit(benchmark::kMillisecond);

// The same paint taken literally: a line and a new pen for every segment.
static void BM_PaintRealtimeGraphLiteral(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    RtGraphState g;
    ViewState v;
    CDTDoc doc;
    v.m_yGain = 40;
    for (int i = 0; i < n; ++i)
        doc.m_readings[static_cast<size_t>(i)] = static_cast<float>(200 + 150 * std::sin(i / 50.0));
    v.m_sampleIndex = n;
    QImage surface(1692, 900, QImage::Format_RGB32);
    QFont font(QStringLiteral("SimSun"));
    font.setPointSize(10);
    const PlotRect plot = rtPlotRect({0, 0, 1692, 900});
    while (growRtTimeAxis(g, v, plot)) {
    }
    for (auto _ : state) {
        const std::optional<int> kept = keepCursorThroughRepaint(g, v);
        resetZoomAtFirstSample(g, v);
        growRtTimeAxis(g, v, plot);
        rebuildRtLevels(g, v, doc, 0, plot);
        updateRtLabels(g, v, plot);
        RtGraphPicture p = rtGraphPicture(g, v, plot, kept);
        p.trace.clear();
        drawRtGraph(surface, p, font);
        QPainter painter(&surface);
        painter.setClipRect(QRect(plot.left, plot.top, plot.width, plot.bottom - plot.top));
        painter.translate(plot.left, plot.top);
        const std::vector<double>& ys = g.g_rtPtY.level(0);
        for (int i = 1; i < n; ++i) {
            painter.setPen(QPen(QColor(255, 0, 0), 0));
            painter.drawLine(toPixel((i - 1) * static_cast<double>(g.g_rtXStep)),
                             toPixel(ys[static_cast<size_t>(i) - 1]),
                             toPixel(i * static_cast<double>(g.g_rtXStep)),
                             toPixel(ys[static_cast<size_t>(i)]));
        }
        painter.end();
        benchmark::DoNotOptimize(surface.constBits());
    }
    state.SetLabel(std::to_string(n) + " samples");
}
BENCHMARK(BM_PaintRealtimeGraphLiteral)->Arg(19990)->Unit(benchmark::kMillisecond);
