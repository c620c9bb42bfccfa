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
    for (int i = 0; i < kSamples; ++i)  // a slow wave with fast ripple, so columns hold spans
        doc.m_fileReadings[static_cast<size_t>(i)] =
            static_cast<float>(200 + 150 * std::sin(i / 900.0) + 20 * std::sin(i * 0.7));
    doc.m_fileCount = kSamples;
    doc.m_fileRateSecs = 1;
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
            return plot.bottom - (doc.m_fileReadings[static_cast<size_t>(k)] - 0.0) *
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
    while (growRtTimeAxis(g, v, plot)) {
    }
    rebuildRtLevels(g, v, doc, 0, plot);
    updateRtLabels(g, v, plot);
    const RtGraphPicture pic = rtGraphPicture(g, v, plot, std::nullopt);
    EXPECT_LT(pic.trace.size(), 5000u);  // merged: far fewer lines than segments

    QImage merged(1692, 900, QImage::Format_RGB32);
    drawRtGraph(merged, pic, QFont());
    // The same positions, one line and one pen per segment, in the plot's own pixels.
    QImage literal(plot.width, plot.bottom - plot.top, QImage::Format_RGB32);
    literal.fill(Qt::black);
    {
        QPainter p(&literal);
        const std::vector<double>& ys = g.g_rtPtY.level(0);
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
