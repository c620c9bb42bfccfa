// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QStringList>

#include "core/graph/CursorReadout.h"
#include "core/graph/PlotRect.h"
#include "core/graph/RubberBand.h"
#include "core/graph/ScrollShift.h"
#include "core/graph/YScale.h"
#include "core/graph/ZoomStack.h"
#include "core/realtime/RtGraph.h"
#include "core/realtime/RtZoom.h"

using namespace km905;

namespace {
// The datalogger window's numbers: the plot 306 and 90 in from the top-left corner and 61 in
// from the bottom-right one, label 0 on the bottom axis; "K" for thousands with the full
// shift table; a drag cancelled 50 left or right of the plot, 20 above it or 40 below it;
// positions in client pixels, the scroll shift taken off after truncating.
constexpr PlotMargins kDataloggerMargins{306, 90, 61, 61, 0};
constexpr YLabelStyle kDataloggerStyle{'K', true};
constexpr DragWatchMargins kDataloggerDragWatch{50, 20, 50, 40};
constexpr CursorAxis kDataloggerCursor{0, true};

// A level's positions from a table of them.
LevelSamples table(const std::vector<double>& xs, int count) {
    return {[&xs](int k) { return xs[static_cast<size_t>(k)]; }, count, 0,
            static_cast<int>(xs.size())};
}

// A client rectangle that gives the datalogger a 400 x 400 plot: x 306..706, y 90..490.
constexpr ClientRect kDataloggerClient{0, 0, 767, 551};

QStringList texts(const YLabels& labels, const YLabelStyle& style) {
    QStringList t;
    for (double v : labels) t << yLabelText(v, style);
    return t;
}
}  // namespace

TEST(GraphCorePlotRect, DataloggerAndRealtimeMargins) {
    const PlotRect logger = PlotRect::inClient(kDataloggerClient, kDataloggerMargins);
    EXPECT_EQ(logger.left, 306);
    EXPECT_EQ(logger.top, 90);
    EXPECT_EQ(logger.right, 706);
    EXPECT_EQ(logger.bottom, 490);
    EXPECT_EQ(logger.width, 400);
    EXPECT_EQ(logger.baseline, 490);  // the bottom axis carries label 0
    EXPECT_EQ(logger.height, 400);
    EXPECT_EQ(logger.clamp({100, 700}), QPoint(306, 490));
    EXPECT_EQ(logger.clamp({800, 10}), QPoint(706, 90));
    EXPECT_EQ(logger.clamp({500, 300}), QPoint(500, 300));

    const PlotRect rt = rtPlotRect({0, 0, 1052, 760});
    EXPECT_EQ(rt.left, 294);
    EXPECT_EQ(rt.top, 150);
    EXPECT_EQ(rt.right, 1002);
    EXPECT_EQ(rt.bottom, 610);
    EXPECT_EQ(rt.width, 708);
    EXPECT_EQ(rt.baseline, 609);  // the last row of the plot's picture
    EXPECT_EQ(rt.height, 459);
    EXPECT_EQ(rt.edgeHeight(), 460);

    // A window too small for a plot still has one pixel to divide by.
    const PlotRect tiny = rtPlotRect({0, 0, 300, 200});
    EXPECT_EQ(tiny.width, 1);
    EXPECT_EQ(tiny.height, 1);
}

TEST(GraphCoreYScale, DataloggerLabelsReadInItsTextForm) {
    EXPECT_EQ(texts(fullViewLabels(4, 10), kDataloggerStyle),
              QStringList({"40.00", "44.00", "48.00", "52.00", "56.00", "60.00", "64.00", "68.00",
                           "72.00", "76.00", "80.00"}));
    EXPECT_EQ(texts(fullViewLabels(40000, 0), kDataloggerStyle),
              QStringList({"0.00", "40.00K", "80.00K", "120.00K", "160.00K", "200.00K", "240.00K",
                           "280.00K", "320.00K", "360.00K", "400.00K"}));
    // The real-time graph writes its thousands with a lower-case k.
    EXPECT_EQ(yLabelText(4000, kRtLabelStyle), "4.00k");
    EXPECT_EQ(yLabelText(1200, kRtLabelStyle), "1.20k");
    EXPECT_EQ(yLabelText(999.99, kRtLabelStyle), "999.99");
}

TEST(GraphCoreYScale, LabelShiftsByMagnitude) {
    const std::vector<std::pair<double, int>> logger = {
        {0, 4},      {9.99, 4},   {10, 3},     {99.99, 3},   {100, 2},
        {999.99, 2}, {1000, 1},   {400000, 1}, {-0.01, 3},   {-9.99, 3},
        {-10, 2},    {-99.99, 2}, {-100, 1},   {-999.99, 1}, {-1000, 0}};
    for (const auto& [v, shift] : logger) EXPECT_EQ(yLabelShift(v, kDataloggerStyle), shift) << v;
    const std::vector<std::pair<double, int>> rt = {{5, 4},     {50, 3}, {500, 2}, {1000, 2},
                                                    {40000, 2}, {-5, 2}, {-500, 2}};
    for (const auto& [v, shift] : rt) EXPECT_EQ(yLabelShift(v, kRtLabelStyle), shift) << v;
}

TEST(GraphCoreYScale, ReadingsLieOnTheirRows) {
    const YLabels axis = fullViewLabels(4, 0);  // 0..40 over 400 rows
    EXPECT_DOUBLE_EQ(rowsAboveBaseline(0, axis, 400), 0.0);
    EXPECT_DOUBLE_EQ(rowsAboveBaseline(40, axis, 400), 400.0);
    EXPECT_DOUBLE_EQ(rowsAboveBaseline(10, axis, 400), 100.0);
    // 430.4 lux is 40 FC: the datalogger draws it on the top edge.
    const double fc = plottedValue(430.4f, true);
    EXPECT_NEAR(fc, 40.0, 0.001);
    EXPECT_NEAR(490 - rowsAboveBaseline(fc, axis, 400), 90.0, 0.01);
    EXPECT_DOUBLE_EQ(plottedValue(430.4f, false), static_cast<double>(430.4f));
    // A level without a range puts everything on the baseline.
    const YLabels flat = fullViewLabels(0, 0);
    EXPECT_DOUBLE_EQ(rowsAboveBaseline(25, flat, 400), 0.0);
    EXPECT_DOUBLE_EQ(valueAboveBaseline(axis, 250, 400), 25.0);
}

TEST(GraphCoreYScale, MagnitudeAlignment) {
    // Below 1000: hundredths; the step is truncated too.
    YLabels l = magnitudeAlignedLabels(123.456, 130.009);
    EXPECT_EQ(yLabelText(l[0], kRtLabelStyle), "123.45");
    EXPECT_EQ(yLabelText(l[1], kRtLabelStyle), "130.00");
    EXPECT_EQ(yLabelText(l[10], kRtLabelStyle), "188.95");
    EXPECT_NEAR(l[10], 188.95, 1e-9);
    // From 1000: tens.
    l = magnitudeAlignedLabels(1234.5, 1301.2);
    EXPECT_DOUBLE_EQ(l[0], 1230.0);
    EXPECT_DOUBLE_EQ(l[1], 1300.0);
    EXPECT_DOUBLE_EQ(l[10], 1930.0);
    EXPECT_EQ(yLabelText(l[10], kRtLabelStyle), "1.93k");
    // The bottom value decides for both.
    l = magnitudeAlignedLabels(999.999, 1234.567);
    EXPECT_NEAR(l[0], 999.99, 1e-9);
    EXPECT_NEAR(l[1], 1234.56, 1e-9);
}

TEST(GraphCoreZoom, SelectionsFromCornersAndFractions) {
    const ZoomSelection s = ZoomSelection::fromCorners(600, 400, 500, 300);
    EXPECT_DOUBLE_EQ(s.left, 500);
    EXPECT_DOUBLE_EQ(s.top, 300);
    EXPECT_DOUBLE_EQ(s.right, 600);
    EXPECT_DOUBLE_EQ(s.bottom, 400);
    // Real-time fractions are of the plot's width 708 and height 459.
    const PlotRect rt = rtPlotRect({0, 0, 1052, 760});
    for (const ZoomSelection& f : {ZoomSelection::fromFractions(0.25, 0.5, 0.75, 1.0, rt),
                                   ZoomSelection::fromFractions(0.75, 1.0, 0.25, 0.5, rt)}) {
        EXPECT_DOUBLE_EQ(f.left, 471);
        EXPECT_DOUBLE_EQ(f.top, 379.5);
        EXPECT_DOUBLE_EQ(f.right, 825);
        EXPECT_DOUBLE_EQ(f.bottom, 609);
    }
}

TEST(GraphCoreZoom, DataloggerLabelsOfTwoLevels) {
    const PlotRect plot = PlotRect::inClient(kDataloggerClient, kDataloggerMargins);
    const YLabels level0 = fullViewLabels(40, 0);  // 0..400, one lux a row
    // Rows 290..390 hold 100..200 lux.
    const YLabels level1 = zoomedLabels(level0, ZoomSelection::fromCorners(406, 290, 606, 390),
                                        plot, ZoomLabels::Exact);
    EXPECT_EQ(texts(level1, kDataloggerStyle),
              QStringList({"100.00", "110.00", "120.00", "130.00", "140.00", "150.00", "160.00",
                           "170.00", "180.00", "190.00", "200.00"}));
    // On level 1 a row is a quarter lux: rows 190..290 hold 150..175.
    const YLabels level2 = zoomedLabels(level1, ZoomSelection::fromCorners(506, 290, 406, 190),
                                        plot, ZoomLabels::Exact);
    EXPECT_EQ(texts(level2, kDataloggerStyle),
              QStringList({"150.00", "152.50", "155.00", "157.50", "160.00", "162.50", "165.00",
                           "167.50", "170.00", "172.50", "175.00"}));
}

TEST(GraphCoreZoom, RealtimeLabelsAreAlignedAndTheExactOnesAreNot) {
    const PlotRect rt = rtPlotRect({0, 0, 1052, 760});
    const YLabels level0 = fullViewLabels(40, 0);  // 0..400 over 459 rows
    // 100 rows above the baseline 609 and 200 rows high: 87.146 and 104.575 lux.
    const ZoomSelection sel{400, 309, 700, 509};
    const YLabels aligned = zoomedLabels(level0, sel, rt, ZoomLabels::MagnitudeAligned);
    EXPECT_EQ(yLabelText(aligned[0], kRtLabelStyle), "87.14");
    EXPECT_EQ(yLabelText(aligned[1], kRtLabelStyle), "104.57");
    EXPECT_EQ(yLabelText(aligned[5], kRtLabelStyle), "174.29");
    EXPECT_EQ(yLabelText(aligned[10], kRtLabelStyle), "261.44");
    const YLabels exact = zoomedLabels(level0, sel, rt, ZoomLabels::Exact);
    EXPECT_EQ(yLabelText(exact[0], kRtLabelStyle), "87.15");
    EXPECT_EQ(yLabelText(exact[10], kRtLabelStyle), "261.44");
}

TEST(GraphCoreZoom, ADataloggerRectangleMapsBackToItsSamplesAtLevelTwo) {
    const PlotRect plot = PlotRect::inClient(kDataloggerClient, kDataloggerMargins);
    // 41 samples, 10 pixels apart, from the plot's left edge.
    constexpr int n = 41;
    std::vector<double> x0(n), x1(n), x2(n);
    for (int j = 0; j < n; ++j) x0[static_cast<size_t>(j)] = 306 + 10.0 * j;
    // Level 1: x 406..606, samples 10..30, now 20 pixels apart.
    const AxisZoom to1 =
        AxisZoom::horizontal(ZoomSelection::fromCorners(406, 190, 606, 390), plot, 0);
    for (size_t j = 0; j < x0.size(); ++j) x1[j] = to1(x0[j]);
    EXPECT_DOUBLE_EQ(x1[10], 306);
    EXPECT_DOUBLE_EQ(x1[30], 706);
    // Level 2, dragged right to left: x 406..506 of level 1, samples 15..20, 80 pixels apart.
    const AxisZoom to2 =
        AxisZoom::horizontal(ZoomSelection::fromCorners(506, 300, 406, 200), plot, 0);
    for (size_t j = 0; j < x1.size(); ++j) x2[j] = to2(x1[j]);
    EXPECT_DOUBLE_EQ(x2[15], 306);
    EXPECT_DOUBLE_EQ(x2[20], 706);
    EXPECT_DOUBLE_EQ(x2[16] - x2[15], 80);

    // The sample under the cursor: the nearest, a tie keeping the left one.
    EXPECT_EQ(sampleUnder(306, table(x2, n), 0, kDataloggerCursor), 15);
    EXPECT_EQ(sampleUnder(505, table(x2, n), 0, kDataloggerCursor), 17);
    EXPECT_EQ(sampleUnder(506, table(x2, n), 0, kDataloggerCursor), 17);
    EXPECT_EQ(sampleUnder(507, table(x2, n), 0, kDataloggerCursor), 18);
    EXPECT_EQ(sampleUnder(706, table(x2, n), 0, kDataloggerCursor), 20);
    // Scrolled by two samples, sample 13 is drawn at the left edge.
    EXPECT_EQ(sampleUnder(306, table(x2, n), 2, kDataloggerCursor), 13);
    EXPECT_EQ(sampleUnder(706, table(x2, n), 2, kDataloggerCursor), 18);

    // The datalogger maps y the same way: the rectangle's rows fill the plot's height.
    const AxisZoom y = AxisZoom::vertical(ZoomSelection::fromCorners(406, 390, 606, 190), plot, 0);
    EXPECT_DOUBLE_EQ(y(190), 90);
    EXPECT_DOUBLE_EQ(y(290), 290);
    EXPECT_DOUBLE_EQ(y(390), 490);
}

TEST(GraphCoreZoom, RealtimePositionsArePlotRelative) {
    const PlotRect rt = rtPlotRect({0, 0, 1052, 760});
    const AxisZoom x = AxisZoom::horizontal(ZoomSelection{471, 379.5, 825, 609}, rt, rt.left);
    EXPECT_DOUBLE_EQ(x(471 - 294), 0);
    EXPECT_DOUBLE_EQ(x(825 - 294), 708);
    EXPECT_DOUBLE_EQ(x(648 - 294), 354);
}

TEST(GraphCoreZoom, TheScrollShiftRuleDecidesLeftOfTheFirstSample) {
    // Sample j at 10 j, drawn 3 samples to the right: sample 0 at 30.
    std::vector<double> xs(10);
    for (size_t j = 0; j < xs.size(); ++j) xs[j] = 10.0 * static_cast<double>(j);
    const CursorAxis shiftFirst{0, false};  // the real-time rule
    EXPECT_EQ(sampleUnder(25, table(xs, 10), 3, shiftFirst), 0);
    // Half-way between sample 0 and where sample -1 would be: the left one, which is none.
    EXPECT_EQ(sampleUnder(25, table(xs, 10), 3, kDataloggerCursor), -1);
    EXPECT_EQ(sampleUnder(26, table(xs, 10), 3, kDataloggerCursor), 0);
    // Without a spacing between samples there is nothing to find.
    EXPECT_FALSE(
        sampleUnder(25, table(std::vector<double>(10, 0.0), 10), 0, shiftFirst).has_value());
}

TEST(GraphCoreZoom, AcceptingAZoom) {
    const int baseRow = 490;
    const double height = 400;
    // 0..400 lux: rows 290..390 give divisions of 10 lux.
    const YLabels lux = fullViewLabels(40, 0);
    const ZoomTrial t = zoomTrial(lux, 390, 290, baseRow, height);
    EXPECT_DOUBLE_EQ(t.bottomValue, 100);
    EXPECT_DOUBLE_EQ(t.firstDivisionValue, 110);
    EXPECT_DOUBLE_EQ(t.topValue, 200);
    EXPECT_TRUE(zoomAccepted(0, t, 10, 400));
    EXPECT_TRUE(zoomAccepted(98, t, 10, 400));
    EXPECT_FALSE(zoomAccepted(99, t, 10, 400));  // the stack is full
    EXPECT_FALSE(zoomAccepted(0, t, 400, 400));  // fewer than two samples across
    // 0..40: five rows make a division of 0.05, twenty rows one of 0.2.
    const YLabels small = fullViewLabels(4, 0);
    EXPECT_FALSE(zoomAccepted(0, zoomTrial(small, 390, 385, baseRow, height), 10, 400));
    EXPECT_TRUE(zoomAccepted(0, zoomTrial(small, 390, 370, baseRow, height), 10, 400));
    // From 1000 up a division must be over 10: 200 rows of 1000..1040 make one of 2.
    YLabels thousands{};
    for (int c = 0; c <= 10; ++c) thousands[static_cast<size_t>(c)] = 1000 + 4 * c;
    const ZoomTrial high = zoomTrial(thousands, 390, 190, baseRow, height);
    EXPECT_DOUBLE_EQ(high.topValue, 1030);
    EXPECT_FALSE(zoomAccepted(0, high, 10, 400));
    // The same division of 2 below 1000 is taken.
    EXPECT_TRUE(zoomAccepted(0, zoomTrial(small, 390, 190, baseRow, height), 10, 400));
}

TEST(GraphCoreMouse, RubberBand) {
    uint8_t active = 0, idle = 1;
    int anchorX = 0, anchorY = 0, lastX = 0, lastY = 0;
    RubberBand band{active, idle, anchorX, anchorY, lastX, lastY};
    band.press({350, 250});
    EXPECT_EQ(active, 1);
    EXPECT_EQ(idle, 1);
    band.follow({350, 250});
    EXPECT_EQ(idle, 1);  // not moved away from the anchor
    EXPECT_FALSE(band.rect().has_value());
    band.follow({400, 300});
    EXPECT_EQ(idle, 0);
    EXPECT_EQ(band.rect(), QRect(QPoint(350, 250), QPoint(400, 300)));
    band.follow({350, 250});  // back on the anchor: still a drag
    EXPECT_EQ(idle, 0);
    EXPECT_EQ(lastX, 350);
    band.release();
    EXPECT_EQ(active, 0);
    EXPECT_FALSE(band.rect().has_value());
    band.press({10, 10});
    band.follow({20, 20});
    band.cancel();
    EXPECT_EQ(active, 0);
    EXPECT_EQ(idle, 1);  // a release after a cancel does not zoom
}

TEST(GraphCoreMouse, DragWatchMargins) {
    const PlotRect logger = PlotRect::inClient(kDataloggerClient, kDataloggerMargins);
    EXPECT_TRUE(dragLeftThePlot({256, 300}, logger, kDataloggerDragWatch));
    EXPECT_FALSE(dragLeftThePlot({257, 300}, logger, kDataloggerDragWatch));
    EXPECT_TRUE(dragLeftThePlot({756, 300}, logger, kDataloggerDragWatch));
    EXPECT_FALSE(dragLeftThePlot({755, 300}, logger, kDataloggerDragWatch));
    EXPECT_TRUE(dragLeftThePlot({400, 70}, logger, kDataloggerDragWatch));
    EXPECT_FALSE(dragLeftThePlot({400, 71}, logger, kDataloggerDragWatch));
    EXPECT_TRUE(dragLeftThePlot({400, 530}, logger, kDataloggerDragWatch));
    EXPECT_FALSE(dragLeftThePlot({400, 529}, logger, kDataloggerDragWatch));

    // Real-time: 3 above, 50 left, 20 from the view's right edge and 130 from its bottom.
    const PlotRect rt = rtPlotRect({0, 0, 1052, 760});
    EXPECT_TRUE(dragLeftThePlot({500, 147}, rt, kRtDragWatch));
    EXPECT_FALSE(dragLeftThePlot({500, 148}, rt, kRtDragWatch));
    EXPECT_TRUE(dragLeftThePlot({244, 300}, rt, kRtDragWatch));
    EXPECT_FALSE(dragLeftThePlot({245, 300}, rt, kRtDragWatch));
    EXPECT_TRUE(dragLeftThePlot({1032, 300}, rt, kRtDragWatch));
    EXPECT_FALSE(dragLeftThePlot({1031, 300}, rt, kRtDragWatch));
    EXPECT_TRUE(dragLeftThePlot({500, 630}, rt, kRtDragWatch));
    EXPECT_FALSE(dragLeftThePlot({500, 629}, rt, kRtDragWatch));
}

TEST(GraphCoreMouse, ScrollShiftAndThumb) {
    // Thumb p puts sample p - 1 at the left edge.
    EXPECT_EQ(scrollShiftForThumb(40, 31), 10);
    EXPECT_EQ(thumbForScrollShift(40, 10), 31);
    EXPECT_EQ(scrollShiftForThumb(40, 41), 0);
    EXPECT_EQ(thumbForScrollShift(40, 0), 41);
}
