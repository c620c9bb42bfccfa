// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "core/logger/LoggerGraph.h"
#include "core/logger/LoggerReport.h"
#include "core/model/MeterTypes.h"

using namespace km905;

namespace {

// Client 1000 x 500: the plot runs from (306, 90) to (939, 439), 633 wide and 349 high.
constexpr ClientRect kClient{0, 0, 1000, 500};
// 2026-12-08 10:00:00 UTC (the tests run with TZ=UTC).
constexpr qint64 kStart = 1796724000;

bool hasText(const LoggerGraphPicture& pic, const QString& text, int x, int y) {
    return std::any_of(pic.texts.begin(), pic.texts.end(),
                       [&](const LoggerText& t) { return t.text == text && t.x == x && t.y == y; });
}

class LoggerGraph : public testing::Test {
  protected:
    void setReadings(std::initializer_list<float> values, uint8_t unitFC = 0) {
        doc.m_file.readings = values;
        doc.m_file.unitFC = unitFC;
        doc.m_fileStartTime = kStart;
        doc.m_file.rateSecs = 5;
    }
    LoggerGraphPicture picture(bool shown = true) const {
        return loggerGraphPicture(zoomState, doc, shown, labels, kClient);
    }
    void drag(int x1, int y1, int x2, int y2) {
        LoggerZoom zoom(zoomState, doc);
        zoom.leftDown(x1, y1, kClient);
        zoom.mouseMove(x2, y2, kClient, true, labels);
        zoom.leftUp(x2, y2, kClient, true, labels);
    }

    CDTDoc doc;
    LoggerZoomState zoomState;
    YLabels labels = fullViewLabels(40, 0);  // 0 .. 400
};

TEST_F(LoggerGraph, PlotGridAndAxesWithoutAGraph) {
    setReadings({0, 200, 400});
    const LoggerGraphPicture pic = picture(false);
    EXPECT_EQ(pic.plotArea, QRect(QPoint(306, 90), QPoint(939, 439)));
    ASSERT_EQ(pic.grid.size(), 26u);  // 11 rows and 15 columns
    EXPECT_EQ(pic.grid[0], (PixelLine{306, 90, 939, 90}));
    EXPECT_EQ(pic.grid[5], (PixelLine{306, 264, 939, 264}));
    EXPECT_EQ(pic.grid[10], (PixelLine{306, 439, 939, 439}));
    EXPECT_EQ(pic.grid[11], (PixelLine{348, 90, 348, 439}));
    EXPECT_EQ(pic.axes[0], (PixelLine{306, 439, 939, 439}));
    EXPECT_EQ(pic.axes[3], (PixelLine{303, 90, 306, 90}));
    EXPECT_TRUE(pic.curve.empty());
    EXPECT_TRUE(pic.texts.empty());  // no labels, no readout
}

TEST_F(LoggerGraph, FullViewCurveLabelsAndTimes) {
    setReadings({0, 200, 400});
    const LoggerGraphPicture pic = picture();
    ASSERT_EQ(pic.curve.size(), 2u);
    EXPECT_EQ(pic.curve[0], (PixelLine{306, 439, 622, 264}));
    EXPECT_EQ(pic.curve[1], (PixelLine{622, 264, 939, 90}));
    EXPECT_TRUE(hasText(pic, "0.00", 266, 439));
    EXPECT_TRUE(hasText(pic, "40.00", 258, 404));
    EXPECT_TRUE(hasText(pic, "400.00", 251, 90));
    EXPECT_TRUE(hasText(pic, "10:00:00", 306, 447));
    EXPECT_TRUE(hasText(pic, "10:00:10", 884, 447));
    EXPECT_TRUE(hasText(pic, "Light", 356, 70));
    EXPECT_TRUE(hasText(pic, "@", 486, 70));
    EXPECT_FALSE(pic.scrollEnabled);
}

TEST_F(LoggerGraph, ThousandsReadWithK) {
    labels = fullViewLabels(40000, 0);
    setReadings({0, 1});
    const LoggerGraphPicture pic = picture();
    EXPECT_TRUE(hasText(pic, "0.00", 266, 439));
    EXPECT_TRUE(hasText(pic, "40.00K", 243, 404));
    EXPECT_TRUE(hasText(pic, "400.00K", 243, 90));
}

TEST_F(LoggerGraph, FootCandlesAgainstTheSameAxis) {
    labels = fullViewLabels(4, 0);  // 0 .. 40
    setReadings({430.4f, 430.4f}, 1);
    const LoggerGraphPicture pic = picture();
    ASSERT_EQ(pic.curve.size(), 1u);
    EXPECT_EQ(pic.curve[0], (PixelLine{306, 90, 939, 90}));
}

TEST_F(LoggerGraph, OverRangeLeavesThePlotAtTheTop) {
    setReadings({200, kOverRange, 200});
    const LoggerGraphPicture pic = picture();
    ASSERT_FALSE(pic.curve.empty());
    for (const PixelLine& l : pic.curve) {
        EXPECT_GE(std::min(l.y1, l.y2), 88);
        EXPECT_LE(std::max(l.y1, l.y2), 441);
    }
    EXPECT_EQ(pic.curveClip, QRect(306, 90, 633, 350));
}

TEST_F(LoggerGraph, SegmentsInOneColumnBecomeOneLine) {
    // 2000 readings alternating 0 and 400 lux: every column holds a full-height stroke.
    doc.m_file.readings.resize(2000);
    for (int i = 0; i < 2000; ++i) doc.m_file.readings[static_cast<size_t>(i)] = i % 2 ? 400 : 0;
    const LoggerGraphPicture pic = picture();
    EXPECT_LT(pic.curve.size(), 1400u);
    for (int x = 306; x < 939; ++x) {
        const bool full = std::any_of(pic.curve.begin(), pic.curve.end(), [&](const PixelLine& l) {
            return l.x1 == x && l.x2 == x && std::min(l.y1, l.y2) == 90 &&
                   std::max(l.y1, l.y2) == 439;
        });
        EXPECT_TRUE(full) << "column " << x;
    }
}

TEST_F(LoggerGraph, ReadoutTexts) {
    setReadings({kOverRange, 1500, 10});
    LoggerZoom zoom(zoomState, doc);
    zoom.mouseMove(306, 200, kClient, true, labels);
    EXPECT_EQ(zoomState.g_readoutValue, "OL");
    EXPECT_EQ(zoomState.g_readoutTime, "10:00:00");
    zoom.mouseMove(622, 200, kClient, true, labels);
    EXPECT_EQ(zoomState.g_cursorIndex(), 1);
    EXPECT_EQ(zoomState.g_readoutValue, "1.50 KLux");
    EXPECT_EQ(zoomState.g_readoutTime, "10:00:05");
    doc.m_file.unitFC = 1;
    zoom.mouseMove(622, 200, kClient, true, labels);
    EXPECT_EQ(zoomState.g_readoutValue, "139.41 FC");
    // One pixel right of the plot still moves the cursor line.
    zoom.mouseMove(940, 200, kClient, true, labels);
    EXPECT_EQ(picture().cursorX, 940);
    EXPECT_EQ(zoomState.g_cursorIndex(), 2);
}

TEST_F(LoggerGraph, ZoomMakesTheNextLevelFromTheRectangle) {
    setReadings({0, 200, 400});
    drag(400, 100, 600, 300);
    EXPECT_EQ(zoomState.g_zoomLevel(), 1);
    EXPECT_EQ(zoomState.g_fullView(), 0);
    const LoggerGraphPicture pic = picture();
    EXPECT_TRUE(hasText(pic, "159.31", 251, 439));
    EXPECT_TRUE(hasText(pic, "388.54", 251, 90));
    EXPECT_TRUE(pic.scrollEnabled);
    EXPECT_EQ(pic.scrollMax, 3);
}

TEST_F(LoggerGraph, UpwardDragZoomsTheSame) {
    setReadings({0, 200, 400});
    drag(600, 300, 400, 100);
    EXPECT_EQ(zoomState.g_zoomLevel(), 1);
    EXPECT_TRUE(hasText(picture(), "388.54", 251, 90));
}

TEST_F(LoggerGraph, ZoomRefusals) {
    setReadings({0, 200, 400});
    LoggerZoom zoom(zoomState, doc);
    zoom.leftDown(400, 200, kClient);  // a click without movement
    EXPECT_FALSE(zoom.leftUp(400, 200, kClient, true, labels));
    EXPECT_EQ(zoomState.g_zoomLevel(), 0);
    drag(400, 200, 600, 200);  // no height: a division of 0
    EXPECT_EQ(zoomState.g_zoomLevel(), 0);
    labels = fullViewLabels(4, 0);  // 0 .. 40: one row is 0.11 lux, a division 0.011
    drag(400, 200, 600, 201);
    EXPECT_EQ(zoomState.g_zoomLevel(), 0);
    setReadings({200});  // fewer than two samples across
    drag(400, 100, 600, 300);
    EXPECT_EQ(zoomState.g_zoomLevel(), 0);
}

TEST_F(LoggerGraph, LevelNinetyNineIsTheLast) {
    setReadings({0, 200, 400});
    for (int i = 0; i < 120; ++i) drag(306, 90, 939, 439);
    EXPECT_EQ(zoomState.g_zoomLevel(), 99);
    LoggerZoom(zoomState, doc).fullView();
    EXPECT_EQ(zoomState.g_zoomLevel(), 0);
    EXPECT_EQ(zoomState.g_fullView(), 1);
}

TEST_F(LoggerGraph, ZoomedViewDrawsOnlyTheVisibleSamples) {
    doc.m_file.readings.assign(33000, 200);
    doc.m_fileStartTime = kStart;
    doc.m_file.rateSecs = 1;
    drag(400, 90, 401, 439);  // one pixel of about 52 samples
    ASSERT_EQ(zoomState.g_zoomLevel(), 1);
    const std::optional<int> thumb =
        enterLoggerLevelScroll(zoomState, doc, labels, loggerPlotRect(kClient));
    ASSERT_TRUE(thumb.has_value());
    // Column 400 lay at sample 4900.33 of the full view.
    EXPECT_EQ(zoomState.g_firstVisible(), 4900);
    EXPECT_EQ(*thumb, 4901);
    const LoggerGraphPicture pic = picture();
    EXPECT_LT(pic.curve.size(), 60u);
    EXPECT_FALSE(pic.curve.empty());
    EXPECT_TRUE(hasText(pic, "Light", 356, 70));
    // Twelve pixels a sample: a time line every 13 samples, the first (column 302) left of
    // the plot; the second at sample 4913, 1 h 21 min 53 s after the start.
    ASSERT_FALSE(pic.timeGrid.empty());
    EXPECT_EQ(pic.timeGrid[0], (PixelLine{459, 439, 459, 90}));
    EXPECT_TRUE(hasText(pic, "11:21:53", 459, 440));
    EXPECT_FALSE(hasText(pic, "11:21:40", 302, 440));
    // Scrolling by the thumb: sample n - 1 at the left edge.
    LoggerZoom zoom(zoomState, doc);
    EXPECT_EQ(zoom.scrollTo(5001), 5001);
    EXPECT_EQ(zoomState.g_scrollShift(), -100);
}

TEST_F(LoggerGraph, DragWatchCancelsBeyondTheMargins) {
    setReadings({0, 200, 400});
    LoggerZoom zoom(zoomState, doc);
    zoom.leftDown(400, 200, kClient);
    EXPECT_FALSE(zoom.dragWatch(257, 200, kClient));
    EXPECT_FALSE(zoom.dragWatch(988, 200, kClient));
    EXPECT_FALSE(zoom.dragWatch(400, 71, kClient));
    EXPECT_FALSE(zoom.dragWatch(400, 478, kClient));
    EXPECT_TRUE(zoom.dragWatch(400, 479, kClient));
    EXPECT_EQ(zoomState.g_dragging(), 0);
    EXPECT_EQ(zoomState.g_dragIdle(), 1);
    zoom.leftDown(400, 200, kClient);
    EXPECT_TRUE(zoom.dragWatch(256, 200, kClient));
    zoom.leftDown(400, 200, kClient);
    EXPECT_TRUE(zoom.dragWatch(400, 70, kClient));
    zoom.leftDown(400, 200, kClient);
    EXPECT_TRUE(zoom.dragWatch(989, 200, kClient));
}

}  // namespace

namespace {

bool hasReportText(const ReportPage& p, const QString& text, int x, int y) {
    return std::any_of(p.texts.begin(), p.texts.end(), [&](const ReportPage::Text& t) {
        return t.text == text && t.x == x && t.y == y;
    });
}

TEST(LoggerReport, TheFullRecordingAgainstTheFullViewAxis) {
    CDTDoc doc;
    for (int i = 0; i < 8; ++i) doc.m_file.readings.push_back(50.0f * i);
    doc.m_fileStartTime = kStart;
    doc.m_file.rateSecs = 5;
    doc.m_file.start = {2026, 12, 8, 10, 0, 0};  // the meter's clock
    const ReportPage p = loggerReport(doc, fullViewLabels(40, 0), kStart + 3600);
    EXPECT_EQ(p.documentName, "client   print");
    EXPECT_EQ(p.title, "Datalogger record 12-08-26 10.00.00");  // as its PDF is named
    EXPECT_TRUE(hasReportText(p, " Test Report ", -620, 1120));
    EXPECT_TRUE(hasReportText(p, "Light", -750, 1025));
    EXPECT_TRUE(hasReportText(p, "0.0", -800, 210));
    EXPECT_TRUE(hasReportText(p, "200.0", -800, 610));
    EXPECT_TRUE(hasReportText(p, "400.0", -800, 1010));
    // A quarter of the readings (2) apart: 10 seconds.
    EXPECT_TRUE(hasReportText(p, "10:00:00", -750, 195));
    EXPECT_TRUE(hasReportText(p, "10:00:10", -580, 195));
    EXPECT_TRUE(hasReportText(p, "10:00:40", -70, 195));
    EXPECT_TRUE(hasReportText(p, "2026-12-08  11:00", -200, 100));
    // Seven segments after the frame, from the bottom-left corner to 350 lux.
    ASSERT_EQ(p.traceEnd, 4 + 7);
    EXPECT_EQ(p.lines[4].x1, -750);
    EXPECT_EQ(p.lines[4].y1, 200);
    EXPECT_EQ(p.lines[10].x2, -10);
    EXPECT_EQ(p.lines[10].y2, 900);
    EXPECT_TRUE(p.whiteBands);
}

TEST(LoggerReport, NoGraphGivesTheEmptyFrame) {
    CDTDoc doc;
    const ReportPage p = loggerReport(doc, fullViewLabels(40, 0), kStart);
    EXPECT_EQ(p.lines.size(), 4u);
    EXPECT_TRUE(p.texts.empty());
}

TEST(LoggerReport, OneReadingShowsTheStartFiveTimes) {
    CDTDoc doc;
    doc.m_file.readings = {100};
    doc.m_fileStartTime = kStart;
    doc.m_file.rateSecs = 5;
    const ReportPage p = loggerReport(doc, fullViewLabels(40, 0), kStart);
    EXPECT_EQ(p.traceEnd, 4);
    EXPECT_TRUE(hasReportText(p, "10:00:00", -750, 195));
    EXPECT_TRUE(hasReportText(p, "10:00:00", -70, 195));
}

}  // namespace
