// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/realtime/RtZoom.h"

using namespace km905;

namespace {
// 100 samples of 100..199 lux on the 0..400 scale; plot L 294, T 150, R 1002, Bp 610.
struct Zoomed {
    Zoomed() : zoom(g, v, doc, unit) {
        v.m_yGain = 40;
        v.m_startTime = 1765184400;  // 09:00:00 UTC
        v.m_sampleRateMs = 2000;
        for (int i = 0; i < 100; ++i) doc.m_readings[static_cast<size_t>(i)] = 100.0f + i;
        v.m_sampleIndex = 100;
        paint();
    }
    // The view's paint (the picture itself is not needed here).
    void paint() { paintRtGraph(g, v, doc, unit, rtPlotRect(rect)); }
    bool drag(int x1, int y1, int x2, int y2) {
        zoom.leftDown(x1, y1, rect);
        zoom.mouseMove((x1 + x2) / 2, (y1 + y2) / 2, rect);
        zoom.mouseMove(x2, y2, rect);
        zoom.leftUp(x2, y2, rect);
        const bool zoomed = g.g_rtFullView() == 0;
        paint();
        return zoomed;
    }
    RtGraphState g;
    ViewState v;
    CDTDoc doc;
    uint8_t unit = 0;
    ClientRect rect{0, 0, 1052, 760};
    RtZoom zoom;
};
}  // namespace

TEST(RtZoom, TheReadoutTakesTheNearestDrawnSample) {
    Zoomed t;
    const double step = 708.0 / 99;  // pixels between samples
    auto readAt = [&](double x) {
        return t.zoom.mouseMove(static_cast<int>(294 + x), 300, t.rect);
    };
    auto r = readAt(10 * step + 1);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->time, "time:09:00:20");
    EXPECT_EQ(r->data, "Data:110.00Lux");
    r = readAt(10 * step + step - 1);
    EXPECT_EQ(r->data, "Data:111.00Lux");
    EXPECT_EQ(t.zoom.cursorX(), static_cast<int>(294 + 10 * step + step - 1));
    t.unit = 1;
    r = readAt(0);
    EXPECT_EQ(r->data, "Data:9.29 FC");
    t.doc.m_readings[0] = kOverRange;
    EXPECT_EQ(readAt(0)->data, "Data: OL");
    t.unit = 0;
    EXPECT_EQ(readAt(0)->data, "Data: OL");
    t.v.m_sampleIndex = 50;  // the pointer right of the last sample reads nothing
    EXPECT_FALSE(readAt(700).has_value());
}

TEST(RtZoom, AClickWithoutMovementNeverZooms) {
    Zoomed t;
    EXPECT_TRUE(t.zoom.leftDown(400, 300, t.rect));
    EXPECT_TRUE(t.zoom.leftUp(400, 300, t.rect));
    EXPECT_EQ(t.g.g_rtFullView(), 1);
    // Moving only outside the plot leaves the clamped point on the anchor.
    t.zoom.leftDown(1002, 610, t.rect);
    t.zoom.mouseMove(1040, 700, t.rect);
    t.zoom.leftUp(1040, 700, t.rect);
    EXPECT_EQ(t.g.g_rtFullView(), 1);
    EXPECT_EQ(t.v.m_zoomDragging, 0);
}

TEST(RtZoom, ADragZoomsAndUndoZoomReturnsToTheFullView) {
    Zoomed t;
    ASSERT_TRUE(t.drag(400, 300, 700, 500));
    EXPECT_EQ(t.g.g_rtZoomLevel(), 1);
    EXPECT_GT(t.g.g_rtYLabel[1][0], 0.0);
    EXPECT_LT(t.g.g_rtYLabel[1][10], 400.0);
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(t.drag(400, 300, 700, 500));
    EXPECT_EQ(t.g.g_rtZoomLevel(), 5);
    t.zoom.undoZoom();
    EXPECT_EQ(t.g.g_rtZoomLevel(), 0);
    EXPECT_EQ(t.g.g_rtFullView(), 1);
    EXPECT_EQ(t.g.m_scrollShift(), 0);
}

TEST(RtZoom, RefusedZooms) {
    Zoomed t;
    EXPECT_FALSE(t.drag(400, 300, 700, 300));  // one pixel high: a division of 0.08 lux
    Zoomed full;
    full.g.g_rtZoomLevel() = 99;
    full.g.g_rtFullView() = 0;
    full.zoom.leftDown(400, 300, full.rect);
    full.zoom.mouseMove(700, 500, full.rect);
    full.zoom.leftUp(700, 500, full.rect);
    EXPECT_EQ(full.g.g_rtZoomLevel(), 99);  // levels 1..99 only
}

TEST(RtZoom, DraggingOutOfTheGraphCancels) {
    Zoomed t;
    t.zoom.leftDown(400, 300, t.rect);
    t.zoom.mouseMove(500, 400, t.rect);
    EXPECT_TRUE(t.zoom.band().has_value());
    EXPECT_FALSE(t.zoom.dragWatch(500, 400, t.rect));
    EXPECT_TRUE(t.zoom.dragWatch(500, 640, t.rect));  // 30 below the plot
    EXPECT_FALSE(t.zoom.band().has_value());
    t.zoom.leftUp(500, 400, t.rect);
    EXPECT_EQ(t.g.g_rtFullView(), 1);
}

// Zoomed on the second quarter of 100 samples, sample 24 is at the left edge: thumb 25.
TEST(RtZoom, OnlyThumbTrackingScrollsAndEveryMessagePutsTheThumbBack) {
    Zoomed t;
    ASSERT_TRUE(t.drag(294 + 177, 300, 294 + 354, 500));
    ASSERT_EQ(t.g.m_firstVisible(), 24);
    EXPECT_EQ(t.zoom.scrollMessage(false, 26), 25);  // an arrow click
    EXPECT_EQ(t.zoom.scrollMessage(false, 35), 25);  // a page click
    EXPECT_EQ(t.g.m_scrollShift(), 0);
    EXPECT_EQ(t.zoom.scrollMessage(true, 11), 11);  // the thumb dragged to 11
    EXPECT_EQ(t.g.m_scrollShift(), 14);
    EXPECT_EQ(t.zoom.scrollMessage(false, 12), 11);
    EXPECT_EQ(t.g.m_scrollShift(), 14);
}

// A sample recorded while the pointer was off the plot must not bring the line back at a
// later repaint: the zoom's repaint wipes it, and the next move draws the only one.
TEST(RtZoom, AZoomLeavesNoCursorLineBehind) {
    Zoomed t;
    t.v.m_redrawCursor = 1;  // the last sample, with the pointer elsewhere; then Stop
    t.paint();
    t.zoom.mouseMove(500, 300, t.rect);
    ASSERT_EQ(t.zoom.cursorX(), 500);
    ASSERT_TRUE(t.drag(400, 200, 600, 400));
    EXPECT_FALSE(t.zoom.cursorX().has_value());
    t.zoom.mouseMove(450, 300, t.rect);
    EXPECT_EQ(t.zoom.cursorX(), 450);
}
