// SPDX-License-Identifier: GPL-3.0-or-later
// Both graphs' curves drawn with consecutive segments of one pixel column merged look the
// same as the curves drawn segment by segment, with a pen for each.
#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "core/logger/LoggerGraph.h"
#include "core/realtime/RtGraph.h"
#include "core/realtime/RtZoom.h"
#include "ui/logger/LoggerGraphPainter.h"
#include "ui/realtime/RtGraphPainter.h"

using namespace km905;

namespace {
constexpr ClientRect kClient{0, 0, 1000, 570};
constexpr int kSamples = 33000;

bool isCurve(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}
}  // namespace

TEST(LoggerPicture, MergedColumnsDrawTheSameCurveAsOneLinePerSegment) {
    CDTDoc doc;
    doc.m_file.readings.resize(kSamples);
    for (int i = 0; i < kSamples; ++i)  // a slow wave with fast ripple, so columns hold spans
        doc.m_file.readings[static_cast<size_t>(i)] =
            static_cast<float>(200 + 150 * std::sin(i / 900.0) + 20 * std::sin(i * 0.7));
    doc.m_file.rateSecs = 1;
    const LoggerZoomState zoom;
    const YLabels labels = fullViewLabels(40, 0);

    QImage merged(1000, 570, QImage::Format_RGB32);
    {
        QPainter p(&merged);
        drawLoggerGraph(p, loggerGraphPicture(zoom, doc, true, labels, kClient), merged.rect());
    }
    // Segment by segment, on the same plot, from the graph's own formulas.
    const PlotRect plot = loggerPlotRect(kClient);
    QImage literal(1000, 570, QImage::Format_RGB32);
    literal.fill(Qt::black);
    {
        QPainter p(&literal);
        p.setClipRect(
            QRect(plot.left, plot.top, plot.right - plot.left, plot.bottom - plot.top + 1));
        const double step = double(plot.right - plot.left) / (kSamples - 1);
        auto y = [&](int k) {
            return plot.bottom - (doc.m_file.readings[static_cast<size_t>(k)] - 0.0) *
                                     (plot.bottom - plot.top) / 400.0;
        };
        for (int k = 0; k + 1 < kSamples; ++k) {
            p.setPen(QPen(QColor(255, 0, 0), 0));
            p.drawLine(QPointF(std::trunc(plot.left + step * k), std::trunc(y(k))),
                       QPointF(std::trunc(plot.left + step * (k + 1)), std::trunc(y(k + 1))));
        }
    }
    // Inside the plot, away from the red axes on its edges.
    int differing = 0, total = 0, curve = 0;
    for (int yy = plot.top + 1; yy < plot.bottom; ++yy)
        for (int xx = plot.left + 1; xx < plot.right; ++xx) {
            const bool a = isCurve(merged.pixel(xx, yy)), b = isCurve(literal.pixel(xx, yy));
            differing += a != b ? 1 : 0;
            curve += b ? 1 : 0;
            ++total;
        }
    EXPECT_GT(curve, 5000);                       // the curve is really there
    EXPECT_LE(differing * 10000.0, total * 1.0);  // at most 0.01 % of the pixels
}

TEST(RtPicture, MergedColumnsDrawTheSameTraceAsOneLinePerSegment) {
    // A full recording: 19,990 samples squeezed into 1,398 columns.
    constexpr int kRtSamples = 19990;
    RtGraphState g;
    ViewState v;
    CDTDoc doc;
    v.m_yGain = 40;
    for (int i = 0; i < kRtSamples; ++i)
        doc.m_readings[static_cast<size_t>(i)] =
            static_cast<float>(200 + 150 * std::sin(i / 700.0) + 20 * std::sin(i * 0.7));
    v.m_sampleIndex = kRtSamples;
    const PlotRect plot = rtPlotRect({0, 0, 1692, 900});
    // The paint that grows the time axis asks for another, as a running recording does.
    while (paintRtGraph(g, v, doc, 0, plot).repaintAgain) {
    }
    const RtGraphPicture pic = paintRtGraph(g, v, doc, 0, plot).picture;
    EXPECT_LT(pic.trace.size(), 5000u);  // merged: far fewer lines than segments

    QImage merged(1692, 900, QImage::Format_RGB32);
    drawRtGraph(merged, pic, QFont());
    // The same positions, one line and one pen per segment, in the plot's own pixels.
    QImage literal(plot.width, plot.bottom - plot.top, QImage::Format_RGB32);
    literal.fill(Qt::black);
    {
        QPainter p(&literal);
        // Rows on the 0..400 lux scale, label 0 on the plot's last row.
        std::vector<double> ys(kRtSamples);
        for (size_t i = 0; i < ys.size(); ++i)
            ys[i] = plot.height - plot.height * static_cast<double>(doc.m_readings[i]) / 400.0;
        const double step = g.g_rtXStep;
        for (int i = 1; i < kRtSamples; ++i) {
            p.setPen(QPen(QColor(255, 0, 0), 0));
            p.drawLine(QPointF(std::trunc((i - 1) * step), std::trunc(ys[size_t(i) - 1])),
                       QPointF(std::trunc(i * step), std::trunc(ys[size_t(i)])));
        }
    }
    int differing = 0, total = 0, curve = 0;
    for (int yy = 0; yy < literal.height(); ++yy)
        for (int xx = 0; xx < literal.width(); ++xx) {
            const bool a = isCurve(merged.pixel(plot.left + xx, plot.top + yy));
            const bool b = isCurve(literal.pixel(xx, yy));
            differing += a != b ? 1 : 0;
            curve += b ? 1 : 0;
            ++total;
        }
    EXPECT_GT(curve, 5000);
    EXPECT_LE(differing * 10000.0, total * 1.0);
}

TEST(RtPicture, AZoomedTraceIsTheOneTablesOfEveryLevelGive) {
    // 19,990 noisy samples, zoomed three times; the trace against the same samples carried
    // level by level through tables of every sample, then drawn segment by segment.
    constexpr int n = 19990;
    RtGraphState g;
    ViewState v;
    CDTDoc doc;
    uint8_t unit = 0;
    v.m_yGain = 40;
    for (int i = 0; i < n; ++i)
        doc.m_readings[static_cast<size_t>(i)] =
            static_cast<float>(200 + 100 * std::sin(i / 700.0) + 60 * std::sin(i * 2.3));
    v.m_sampleIndex = n;
    const ClientRect client{0, 0, 1692, 900};
    const PlotRect plot = rtPlotRect(client);
    while (paintRtGraph(g, v, doc, unit, plot).repaintAgain) {
    }
    RtZoom zoom(g, v, doc, unit);
    const int L = plot.left, T = plot.top, W = plot.width, H = plot.height;
    // The left eighth; its middle half, a quarter of the height down; a third of that, upwards:
    // about three pixels between samples, so every segment is a line of its own.
    const int drags[3][4] = {{L, T, L + W / 8, T + H},
                             {L + W / 4, T + H / 4, L + 3 * W / 4, T + 3 * H / 4},
                             {L + 2 * W / 3, T + 2 * H / 3, L + W / 3, T + H / 6}};
    for (const auto& d : drags) {
        zoom.leftDown(d[0], d[1], client);
        zoom.mouseMove(d[2], d[3], client);
        zoom.leftUp(d[2], d[3], client);
        paintRtGraph(g, v, doc, unit, plot);
    }
    ASSERT_EQ(g.g_rtZoomLevel(), 3);
    const RtGraphPicture pic = paintRtGraph(g, v, doc, unit, plot).picture;

    std::vector<double> x(n), y(n);
    std::array<double, 11> labels{};
    for (int c = 0; c <= 10; ++c) labels[size_t(c)] = c * 40.0;
    auto row = [&](int i) {
        return H - H * (doc.m_readings[size_t(i)] - labels[0]) / (labels[10] - labels[0]);
    };
    for (int i = 0; i < n; ++i) x[size_t(i)] = i * static_cast<double>(g.g_rtXStep0);
    for (int j = 0; j < 3; ++j) {
        double left = W * g.g_rtDownFracX[size_t(j)] + L, right = W * g.g_rtUpFracX[size_t(j)] + L;
        double top = H * g.g_rtDownFracY[size_t(j)] + T, bottom = H * g.g_rtUpFracY[size_t(j)] + T;
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
        const double r = labels[10] - labels[0], B = plot.baseline;
        const double vb = std::trunc(((B - bottom) * r / H + labels[0]) * 100) * 0.01;
        const double vn =
            std::trunc((((bottom - top) * 0.1 + (B - bottom)) * r / H + labels[0]) * 100) * 0.01;
        for (int c = 0; c <= 10; ++c) labels[size_t(c)] = vb + c * (vn - vb);
        for (int i = 0; i < n; ++i) x[size_t(i)] = (x[size_t(i)] - (left - L)) * W / (right - left);
    }
    for (int i = 0; i < n; ++i) y[size_t(i)] = row(i);
    const double s = x[1] - x[0], x0 = x[0];
    const int first = static_cast<int>(std::trunc(-x0 / s)) + 1;
    const int end = static_cast<int>(std::trunc(W / s + first + 2.0));

    // Three pixels apart, no two segments share a column: the picture keeps every segment.
    std::vector<PixelLine> literal;
    for (int j = std::max(first, 1); j < end && j < n; ++j)
        literal.push_back({toPixel(s * (j - 1) + x0), toPixel(y[size_t(j) - 1]),
                           toPixel(s * j + x0), toPixel(y[size_t(j)])});
    EXPECT_GT(literal.size(), 400u);
    ASSERT_EQ(pic.trace.size(), literal.size());
    for (size_t k = 0; k < literal.size(); ++k) {
        const PixelLine &a = pic.trace[k], &b = literal[k];
        ASSERT_EQ(a, b) << k << ": " << a.x1 << "," << a.y1 << " " << a.x2 << "," << a.y2
                        << " against " << b.x1 << "," << b.y1 << " " << b.x2 << "," << b.y2;
    }
}
