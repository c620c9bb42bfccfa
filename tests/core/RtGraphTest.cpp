// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/realtime/RtGraph.h"

using namespace km905;

namespace {
// The picture of one paint, with what the paint's state changes asked of the window.
struct Painted : RtGraphPicture {
    bool repaintAgain = false;
    std::optional<int> scrollPos;
};

struct Graph {
    RtGraphState g;
    ViewState v;
    CDTDoc doc;
    // The view's paint.
    Painted paint(int n, uint8_t unit = 0) {
        v.m_sampleIndex = n;
        RtGraphPaint r = paintRtGraph(g, v, doc, unit, rtPlotRect({0, 0, 1052, 760}));
        Painted p;
        static_cast<RtGraphPicture&>(p) = std::move(r.picture);
        p.repaintAgain = r.repaintAgain;
        p.scrollPos = r.scrollPos;
        return p;
    }
};
}  // namespace

TEST(RtGraphGeometry, GridAndGrowth) {
    Graph t;
    Painted p = t.paint(0);
    EXPECT_EQ(p.plot.width, 708);
    EXPECT_EQ(p.plot.height, 459);
    EXPECT_EQ(p.gridX.size(), 13u);
    EXPECT_EQ(p.gridX[12], 708);
    EXPECT_EQ(p.gridY.size(), 10u);
    EXPECT_EQ(p.gridY[9], 459);
    EXPECT_TRUE(p.noSamples);

    p = t.paint(50);
    EXPECT_EQ(p.trace.size(), 49u);
    EXPECT_EQ(p.gridX.size(), 14u);
    EXPECT_FALSE(p.repaintAgain);
    p = t.paint(101);
    EXPECT_TRUE(p.repaintAgain);
    EXPECT_EQ(t.g.g_rtSpan, 110);  // about 12/11 per growth
    p = t.paint(101);
    EXPECT_FALSE(p.repaintAgain);
    EXPECT_LT(p.trace.back().x2, 708 * 11 / 12 + 2);
}

TEST(RtGraphGeometry, OverRangeGoesOffTheTopAndFootCandlesScale) {
    Graph t;
    t.v.m_yGain = 40;
    t.doc.m_readings[0] = 200;
    t.doc.m_readings[1] = kOverRange;
    Painted p = t.paint(2);
    ASSERT_EQ(p.trace.size(), 1u);
    EXPECT_EQ(p.trace[0].y1, static_cast<int>(459 - 459 * 200 / 400.0));
    EXPECT_LT(p.trace[0].y2, -100000);  // clipped by the plot
    t.doc.m_readings[1] = 1076;         // 100 FC
    p = t.paint(2, 1);
    EXPECT_EQ(p.trace[0].y2, static_cast<int>(459 - 459 * (1076 * 0.0929368f) / 400.0));
}

TEST(RtGraphGeometry, ZoomLevelsAreRebuiltFromTheirFractions) {
    Graph t;
    t.v.m_yGain = 40;
    for (int i = 0; i < 200; ++i) t.doc.m_readings[static_cast<size_t>(i)] = 100 + i;
    t.paint(200);
    t.g.g_rtFullView() = 0;
    t.g.g_rtZoomLevel() = 1;
    t.g.g_rtScrollReady() = 0;
    t.g.g_rtDownFracX[0] = 0.25;
    t.g.g_rtUpFracX[0] = 0.75;
    t.g.g_rtDownFracY[0] = 0.5;  // the lower half of the plot: 0..200 lux
    t.g.g_rtUpFracY[0] = 1.0;
    Painted p = t.paint(200);
    EXPECT_TRUE(p.zoomed);
    EXPECT_NEAR(t.g.g_rtYLabel[1][0], 0.0, 1.0);
    EXPECT_NEAR(t.g.g_rtYLabel[1][10], 200.0, 2.0);
    EXPECT_EQ(p.gridX.size(), 14u + 10u - 14u);  // ten time lines when zoomed
    ASSERT_TRUE(p.scrollPos.has_value());
    EXPECT_GT(t.g.m_firstVisible(), 40);
    // A new Y gain moves every level derived from level 0 with it.
    t.v.m_yGain = 4;
    t.paint(200);
    EXPECT_NEAR(t.g.g_rtYLabel[1][10], 20.0, 0.5);
}

// 100 samples of 2 s from 09:00:00 at 708 / 99 px apiece, zoomed on the second quarter of the
// width: 4 times wider (28.6 px a sample), sample 24 at the left edge, W / 4 = 177 px cells of
// 6 samples, so one time line every 12 s. Lines 1..4 fall inside the plot, at
// x = (24 + 6 i) * 28.6 - 708 + 294.
TEST(RtGraphGeometry, ZoomedTimeLabelsFollowTheLeftEdgeAndTheScroll) {
    Graph t;
    t.v.m_yGain = 40;
    t.v.m_startTime = 1765184400;  // 09:00:00 UTC
    t.v.m_sampleRateMs = 2000;
    for (int i = 0; i < 100; ++i) t.doc.m_readings[static_cast<size_t>(i)] = 100 + i;
    t.paint(100);
    t.g.g_rtFullView() = 0;
    t.g.g_rtZoomLevel() = 1;
    t.g.g_rtScrollReady() = 0;
    t.g.g_rtDownFracX[0] = 0.25;
    t.g.g_rtUpFracX[0] = 0.5;
    t.g.g_rtDownFracY[0] = 0.5;
    t.g.g_rtUpFracY[0] = 1.0;
    Painted p = t.paint(100);
    EXPECT_EQ(t.g.m_firstVisible(), 24);
    EXPECT_EQ(p.scrollPos, 25);
    const std::array<QString, 10> zoomed = {"09:00:48", "09:01:00", "09:01:12", "09:01:24",
                                            "09:01:36", "09:01:48", "09:02:00", "09:02:12",
                                            "09:02:24", "09:02:36"};
    EXPECT_EQ(t.g.m_timeLabelText, zoomed);
    auto shown = [](const Painted& q) {
        std::vector<std::pair<QString, int>> l;
        for (const PlacedText& x : q.timeLabels) l.emplace_back(x.text, x.x);
        return l;
    };
    using Shown = std::vector<std::pair<QString, int>>;
    EXPECT_EQ(shown(p),
              (Shown{{"09:01:00", 444}, {"09:01:12", 615}, {"09:01:24", 787}, {"09:01:36", 959}}));

    // Thumb 11: a scroll shift of 24 - 11 + 1 = 14 samples puts sample 10 (20 s) at the left
    // edge; the lines stay where they were and carry earlier times.
    t.g.m_scrollShift() = 14;
    p = t.paint(100);
    EXPECT_EQ(t.g.m_firstVisible(), 24);
    const std::array<QString, 10> scrolled = {"09:00:20", "09:00:32", "09:00:44", "09:00:56",
                                              "09:01:08", "09:01:20", "09:01:32", "09:01:44",
                                              "09:01:56", "09:02:08"};
    EXPECT_EQ(t.g.m_timeLabelText, scrolled);
    EXPECT_EQ(shown(p),
              (Shown{{"09:00:32", 444}, {"09:00:44", 615}, {"09:00:56", 787}, {"09:01:08", 959}}));
}
