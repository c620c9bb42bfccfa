// One full paint of the real-time graph: geometry and drawing into the window's image.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QImage>
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
    // Let the time axis grow to its final span first, as a running recording does.
    while (paintRtGraph(g, v, doc, 0, {0, 0, 1692, 900}).repaintAgain) {
    }
    for (auto _ : state) {
        const RtGraphPicture p = paintRtGraph(g, v, doc, 0, {0, 0, 1692, 900});
        drawRtGraph(surface, p, font);
        benchmark::DoNotOptimize(surface.constBits());
    }
    state.SetLabel(std::to_string(n) + " samples");
}
BENCHMARK(BM_PaintRealtimeGraph)->Arg(19990)->Arg(1000)->Unit(benchmark::kMillisecond);
