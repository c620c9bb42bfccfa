// SPDX-License-Identifier: GPL-3.0-or-later
// One paint of the datalogger window with 33,000 samples, full view and zoom level 99: the
// core's picture (segments merged per pixel column, levels as composed maps) beside a literal
// paint (a line and a pen per segment, every level's table recomputed).
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "core/logger/LoggerGraph.h"
#include "ui/logger/LoggerGraphPainter.h"

using namespace km905;

namespace {

constexpr ClientRect kClient{0, 0, 1000, 570};
constexpr int kSamples = 33000;

struct Setup {
    CDTDoc doc;
    LoggerZoomState zoom;
    YLabels labels = fullViewLabels(40, 0);

    explicit Setup(bool zoomed) {
        for (int i = 0; i < kSamples; ++i)
            doc.m_fileReadings[static_cast<size_t>(i)] =
                static_cast<float>(200 + 150 * std::sin(i / 50.0));
        doc.m_fileCount = kSamples;
        doc.m_fileRateSecs = 1;
        if (!zoomed) return;
        const PlotRect plot = loggerPlotRect(kClient);
        LoggerZoom z(zoom, doc);
        // Five halvings of the time axis, then levels that keep the view, up to 99.
        for (int level = 0; level < kMaxZoomLevel; ++level) {
            const int right = level < 5 ? (plot.left + plot.right) / 2 : plot.right;
            z.leftDown(plot.left, plot.top, kClient);
            z.mouseMove(right, plot.bottom, kClient, true, labels);
            z.leftUp(right, plot.bottom, kClient, true, labels);
        }
        enterLoggerLevelScroll(zoom, doc, labels, plot);
    }
};

void BM_LoggerPaint(benchmark::State& state) {
    Setup s(state.range(0) != 0);
    QImage surface(1000, 570, QImage::Format_RGB32);
    for (auto _ : state) {
        const LoggerGraphPicture pic = loggerGraphPicture(s.zoom, s.doc, true, s.labels, kClient);
        QPainter p(&surface);
        drawLoggerGraph(p, pic, surface.rect());
        p.end();
        benchmark::DoNotOptimize(surface.constBits());
    }
    state.SetLabel(s.zoom.g_fullView ? "full view" : "level " + std::to_string(s.zoom.g_zoomLevel));
}

// The literal paint: 33,000 x (level + 1) positions per coordinate, a pen per segment.
void BM_LoggerPaintLiteral(benchmark::State& state) {
    Setup s(state.range(0) != 0);
    const PlotRect plot = loggerPlotRect(kClient);
    const int level = s.zoom.g_fullView ? 0 : s.zoom.g_zoomLevel;
    std::vector<double> ptX(static_cast<size_t>(kSamples) * kZoomLevels);
    std::vector<double> ptY(ptX.size());
    auto at = [](int k, int j) { return static_cast<size_t>(k) * kZoomLevels + j; };
    QImage surface(1000, 570, QImage::Format_RGB32);
    const double left = plot.left, top = plot.top, right = plot.right, bottom = plot.bottom;
    for (auto _ : state) {
        const double xStep = (right - left) / (kSamples - 1);
        for (int k = 0; k < kSamples; ++k) {
            ptX[at(k, 0)] = left + xStep * k;
            ptY[at(k, 0)] = bottom - (s.doc.m_fileReadings[static_cast<size_t>(k)] - s.labels[0]) *
                                         (bottom - top) / (s.labels[10] - s.labels[0]);
        }
        for (int j = 1; j <= level; ++j) {
            const auto b = static_cast<size_t>(j - 1);
            const double dx = s.zoom.g_zoomDownX[b], ux = s.zoom.g_zoomUpX[b];
            const double dy = s.zoom.g_zoomDownY[b], uy = s.zoom.g_zoomUpY[b];
            for (int k = 0; k < kSamples; ++k) {
                ptX[at(k, j)] = left + (ptX[at(k, j - 1)] - dx) * (right - left) / (ux - dx);
                ptY[at(k, j)] = top + (ptY[at(k, j - 1)] - dy) * (bottom - top) / (uy - dy);
            }
        }
        QPainter p(&surface);
        p.fillRect(surface.rect(), QColor(217, 218, 212));
        p.fillRect(QRect(QPoint(plot.left, plot.top), QPoint(plot.right, plot.bottom)), Qt::black);
        p.setClipRect(
            QRect(plot.left, plot.top, plot.right - plot.left, plot.bottom - plot.top + 1));
        int from = 0, to = kSamples - 1;
        if (level > 0) {
            const double pitch = ptX[at(1, level)] - ptX[at(0, level)];
            from = std::max(s.zoom.g_firstVisible - s.zoom.g_scrollShift, 0);
            to = std::min(static_cast<int>((right - left) / pitch) + from + 3, kSamples - 1);
        }
        for (int k = from; k < to; ++k) {
            p.setPen(QPen(QColor(255, 0, 0), 0));  // a new pen for every segment
            p.drawLine(
                QPointF(std::trunc(ptX[at(k, level)]), std::trunc(ptY[at(k, level)])),
                QPointF(std::trunc(ptX[at(k + 1, level)]), std::trunc(ptY[at(k + 1, level)])));
        }
        p.end();
        benchmark::DoNotOptimize(surface.constBits());
    }
    state.SetLabel(level == 0 ? "full view" : "level " + std::to_string(level));
}

}  // namespace

BENCHMARK(BM_LoggerPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoggerPaintLiteral)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
