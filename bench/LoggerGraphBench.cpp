// SPDX-License-Identifier: GPL-3.0-or-later
// One paint of the datalogger window with 33,000 samples, full view and zoom level 99, on a sine
// and on noisy readings: the core's picture (segments merged per pixel column, levels as
// composed maps) beside a literal paint (a line and a pen per segment, every level's table
// recomputed; grid, axes and texts the project's).
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <random>

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

    Setup(bool zoomed, bool noisy) {
        std::mt19937 random(905);
        std::uniform_real_distribution<float> noise(-60.0f, 60.0f);
        doc.m_file.readings.resize(kSamples);
        for (int i = 0; i < kSamples; ++i)
            doc.m_file.readings[static_cast<size_t>(i)] =
                noisy ? static_cast<float>(200 + 100 * std::sin(i / 700.0)) + noise(random)
                      : static_cast<float>(200 + 150 * std::sin(i / 50.0));
        doc.m_file.rateSecs = 1;
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
    Setup s(state.range(0) != 0, state.range(1) != 0);
    QImage surface(1000, 570, QImage::Format_RGB32);
    for (auto _ : state) {
        const LoggerGraphPicture pic = loggerGraphPicture(s.zoom, s.doc, true, s.labels, kClient);
        QPainter p(&surface);
        drawLoggerGraph(p, pic, surface.rect());
        p.end();
        benchmark::DoNotOptimize(surface.constBits());
    }
    state.SetLabel(
        std::string(state.range(1) ? "noisy, " : "sine, ") +
        (s.zoom.g_fullView() ? "full view" : "level " + std::to_string(s.zoom.g_zoomLevel())));
}

// The literal paint: 33,000 x (level + 1) positions per coordinate, a pen per segment.
void BM_LoggerPaintLiteral(benchmark::State& state) {
    Setup s(state.range(0) != 0, state.range(1) != 0);
    const PlotRect plot = loggerPlotRect(kClient);
    const int level = s.zoom.g_fullView() ? 0 : s.zoom.g_zoomLevel();
    std::vector<double> ptX(static_cast<size_t>(kSamples) * kZoomLevels);
    std::vector<double> ptY(ptX.size());
    auto at = [](int k, int j) { return static_cast<size_t>(k) * kZoomLevels + j; };
    QImage surface(1000, 570, QImage::Format_RGB32);
    const double left = plot.left, top = plot.top, right = plot.right, bottom = plot.bottom;
    for (auto _ : state) {
        const double xStep = (right - left) / (kSamples - 1);
        for (int k = 0; k < kSamples; ++k) {
            ptX[at(k, 0)] = left + xStep * k;
            ptY[at(k, 0)] = bottom - (s.doc.m_file.readings[static_cast<size_t>(k)] - s.labels[0]) *
                                         (bottom - top) / (s.labels[10] - s.labels[0]);
        }
        for (int j = 1; j <= level; ++j) {
            const auto b = static_cast<size_t>(j - 1);
            const ZoomCorners& c = s.zoom.zoom.corners[b];
            const double dx = c.downX, ux = c.upX, dy = c.downY, uy = c.upY;
            for (int k = 0; k < kSamples; ++k) {
                ptX[at(k, j)] = left + (ptX[at(k, j - 1)] - dx) * (right - left) / (ux - dx);
                ptY[at(k, j)] = top + (ptY[at(k, j - 1)] - dy) * (bottom - top) / (uy - dy);
            }
        }
        LoggerGraphPicture pic = loggerGraphPicture(s.zoom, s.doc, true, s.labels, kClient);
        pic.curve.clear();
        QPainter p(&surface);
        drawLoggerGraph(p, pic, surface.rect());
        p.setClipRect(
            QRect(plot.left, plot.top, plot.right - plot.left, plot.bottom - plot.top + 1));
        int from = 0, to = kSamples - 1;
        if (level > 0) {
            const double pitch = ptX[at(1, level)] - ptX[at(0, level)];
            from = std::max(s.zoom.g_firstVisible() - s.zoom.g_scrollShift(), 0);
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
    state.SetLabel(std::string(state.range(1) ? "noisy, " : "sine, ") +
                   (level == 0 ? "full view" : "level " + std::to_string(level)));
}

}  // namespace

// Arguments: zoomed to level 99 (0 or 1), noisy (0 or 1).
BENCHMARK(BM_LoggerPaint)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoggerPaintLiteral)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);
