// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QStatusBar>

#include "UiHarness.h"
#include "ui/realtime/CZoomStrip.h"

using namespace km905;
using namespace km905::test;

namespace {
sim::Scenario quiet() {
    sim::Scenario s;
    s.faults.silentAlways = true;
    return s;
}

bool isGrid(QRgb c) {
    return qRed(c) == 170 && qGreen(c) == 170 && qBlue(c) == 170;
}

// The view with n samples of a rising ramp, 4..40 lux, on the 40 lux scale.
QImage graphWith(UiHarness& h, int n) {
    MeterModel& m = h.frame->model();
    m.view.m_yGain = 4;
    m.view.m_yOffset = 0;
    m.frame.m_unitFC = 0;
    for (int i = 0; i < n; ++i)
        m.doc.m_readings[static_cast<size_t>(i)] = 4.0f + 36.0f * i / std::max(n - 1, 1);
    m.view.m_sampleIndex = n;
    return h.frame->view()->renderGraph(QSize(1052, 760));
}
}  // namespace

TEST(RealtimeGraph, EmptyGraphHasItsGridAndLabels) {
    UiHarness h(quiet());
    const QImage g = graphWith(h, 0);
    saveShot(g, "graph-empty");
    // Plot: L = 294, T = 150, W = 708, H = 459; 13 vertical lines at i * W / 12.
    EXPECT_EQ(g.pixelColor(294 + 5, 150 + 5), QColor(Qt::black));
    int columns = 0;
    for (int x = 294; x < 294 + 708; ++x)
        columns += countPixels(g, QRect(x, 160, 1, 80), isGrid) > 20 ? 1 : 0;
    EXPECT_EQ(columns, 12);  // the line at x = W falls on the plot's edge, outside it
    int rows = 0;
    for (int y = 150; y < 610; ++y)
        rows += countPixels(g, QRect(300, y, 200, 1), isGrid) > 50 ? 1 : 0;
    EXPECT_EQ(rows, 10);
    EXPECT_EQ(countPixels(g, QRect(294, 150, 708, 460), isRed), 0);
    const RtGraphState& s = h.frame->view()->graphState();
    EXPECT_EQ(s.m_yLabelText[0], "0.00");
    EXPECT_EQ(s.m_yLabelText[1], "4.00");
    EXPECT_EQ(s.m_yLabelText[10], "40.00");
    EXPECT_GT(countPixels(g, QRect(226, 119, 68, 520), isDark), 100);  // label texts
    EXPECT_EQ(h.frame->statusPane(1), "Time:");
    EXPECT_EQ(h.frame->statusPane(2), "Data:");
}

TEST(RealtimeGraph, OneSampleDrawsNoTraceAndResetsTheZoom) {
    UiHarness h(quiet());
    h.frame->view()->graphState().g_rtSpan = 300;
    h.frame->view()->graphState().g_rtFullView() = 0;
    const QImage g = graphWith(h, 1);
    EXPECT_EQ(countPixels(g, QRect(294, 150, 708, 460), isRed), 0);
    EXPECT_EQ(h.frame->view()->graphState().g_rtSpan, 100);
    EXPECT_EQ(h.frame->view()->graphState().g_rtFullView(), 1);
}

TEST(RealtimeGraph, HundredSamplesReachTheRightEdgeAndTheNextCompresses) {
    UiHarness h(quiet());
    QImage g = graphWith(h, 100);
    saveShot(g, "graph-100");
    // 4 lux at the bottom left, 40 lux at the top right.
    EXPECT_GT(countPixels(g, QRect(294, 150 + 400, 12, 60), isRed), 0);
    EXPECT_GT(countPixels(g, QRect(294 + 690, 150, 18, 15), isRed), 0);
    EXPECT_EQ(h.frame->view()->graphState().g_rtSpan, 100);

    graphWith(h, 101);  // grows the axis and asks for another paint
    EXPECT_EQ(h.frame->view()->graphState().g_rtSpan, 110);
    g = graphWith(h, 101);
    saveShot(g, "graph-101");
    // Eleven twelfths of the width hold the trace; the last twelfth is free again.
    const int free0 = 294 + 708 * 11 / 12 + 3;
    EXPECT_EQ(countPixels(g, QRect(free0, 150, 1002 - free0, 460), isRed), 0);
    EXPECT_GT(countPixels(g, QRect(free0 - 15, 150, 15, 20), isRed), 0);
}

TEST(RealtimeGraph, LabelsInThousandsEndInK) {
    UiHarness h(quiet());
    h.frame->model().view.m_sampleIndex = 0;
    h.frame->model().view.m_yGain = 400;
    h.frame->view()->renderGraph(QSize(1052, 760));
    const RtGraphState& s = h.frame->view()->graphState();
    EXPECT_EQ(s.m_yLabelText[1], "400.00");
    EXPECT_EQ(s.m_yLabelText[3], "1.20k");
    EXPECT_EQ(s.m_yLabelText[10], "4.00k");
}

TEST(RealtimeGraph, TimeLabelsSitUnderTheirGridLines) {
    UiHarness h(quiet());
    h.frame->model().view.m_startTime = 1765184400;  // 09:00:00 UTC
    h.frame->model().view.m_sampleRateMs = 1000;
    const QImage g = graphWith(h, 50);
    const RtGraphState& s = h.frame->view()->graphState();
    // 708 / 12 = 59 px a cell, 7.15 px a sample: 8 samples a cell, 24 s every third line.
    EXPECT_EQ(s.m_timeLabelText[0], "09:00:00");
    EXPECT_EQ(s.m_timeLabelText[1], "09:00:24");
    EXPECT_EQ(s.m_timeLabelText[4], "09:01:36");
    // Dark text just under the plot at the third grid line (x = 3 * 8 * 7.15).
    EXPECT_GT(countPixels(g, QRect(294 + 171, 610, 40, 25), isDark), 10);
}

TEST(StatusBar, SaysWhyTheConfiguredPortCannotBeOpened) {
    UiHarness h(sim::demoScenario(), 5);  // the meter is on port 5, the settings say 1
    h.frame->updateCommands();
    const QString dev = portOneDevice();
    EXPECT_EQ(h.frame->statusPane(0), "Port 1 (" + dev + "): no such device");
    h.comm.setMeterPort(1);
    h.advance(2100);  // the watchdog reopens it
    h.frame->updateCommands();
    EXPECT_EQ(h.frame->statusPane(0), "Port 1 (" + dev + ")");
}

TEST(MainWindow, TitleMenusAndToolbar) {
    UiHarness h(quiet());
    EXPECT_EQ(h.frame->windowTitle(), "KM905");
    for (int id : {kCmdSave, kCmdOpen, kCmdPrint, kCmdExit, kCmdRun, kCmdStop, kCmdUndoZoom,
                   kCmdDataLogger, kCmdMem, kCmdAbout, kCmdHelp})
        ASSERT_NE(h.frame->action(id), nullptr) << id;
    EXPECT_EQ(h.frame->action(kCmdRun)->toolTip(), "Start");
    EXPECT_EQ(h.frame->action(kCmdUndoZoom)->toolTip(), "UndoZoom");
    EXPECT_TRUE(h.frame->action(kCmdExit)->isEnabled());
    saveShot(h.frame->grab().toImage(), "main-window");
}

TEST(RealtimeGraph, DraggingZoomsAndUndoZoomComesBack) {
    UiHarness h(quiet());
    CDTView* view = h.frame->view();
    view->resize(1052, 760);
    graphWith(h, 200);
    auto send = [&](QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
        QMouseEvent e(type, QPointF(p), view->mapToGlobal(QPointF(p)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(view, &e);
    };
    send(QEvent::MouseMove, QPoint(500, 400), Qt::NoButton);
    EXPECT_TRUE(h.frame->statusPane(1).startsWith("time:"));
    EXPECT_TRUE(h.frame->statusPane(2).startsWith("Data:"));
    send(QEvent::MouseButtonPress, QPoint(400, 250), Qt::LeftButton);
    send(QEvent::MouseMove, QPoint(600, 500), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, QPoint(600, 500), Qt::NoButton);
    UiHarness::settle();
    h.frame->updateCommands();
    EXPECT_TRUE(h.frame->action(kCmdUndoZoom)->isEnabled());
    EXPECT_TRUE(view->zoomStrip()->scrollBar()->isEnabled());
    const QImage zoomed = view->renderGraph(view->size());
    saveShot(zoomed, "graph-zoomed");
    EXPECT_NE(view->graphState().m_yLabelText[0], "0.00");
    h.frame->trigger(kCmdUndoZoom);
    h.frame->updateCommands();
    EXPECT_FALSE(h.frame->action(kCmdUndoZoom)->isEnabled());
    EXPECT_FALSE(view->zoomStrip()->scrollBar()->isEnabled());
    view->renderGraph(view->size());
    EXPECT_EQ(view->graphState().m_yLabelText[0], "0.00");
}

// 100 samples of 2 s from 09:00:00, zoomed on the second quarter of the width: sample 24 sits
// at the left edge (thumb 25) and a time line comes every 6 samples, 12 s.
TEST(RealtimeGraph, OnlyDraggingTheThumbScrollsTheZoomedView) {
    UiHarness h(quiet());
    CDTView* view = h.frame->view();
    view->resize(1052, 760);
    UiHarness::settle();
    h.frame->model().view.m_startTime = 1765184400;  // 09:00:00 UTC
    h.frame->model().view.m_sampleRateMs = 2000;
    graphWith(h, 100);
    const int L = 294, W = view->width() - 50 - L;
    auto send = [&](QEvent::Type type, QPoint p) {
        QMouseEvent e(type, QPointF(p), view->mapToGlobal(QPointF(p)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(view, &e);
    };
    send(QEvent::MouseButtonPress, QPoint(L + W / 4, 300));
    send(QEvent::MouseMove, QPoint(L + W / 2, 500));
    send(QEvent::MouseButtonRelease, QPoint(L + W / 2, 500));
    UiHarness::settle();
    view->renderGraph(view->size());
    QScrollBar* bar = view->zoomStrip()->scrollBar();
    ASSERT_TRUE(bar->isEnabled());
    EXPECT_EQ(bar->value(), 25);
    const RtGraphState& s = view->graphState();
    EXPECT_EQ(s.m_timeLabelText[0], "09:00:48");
    EXPECT_EQ(s.m_timeLabelText[1], "09:01:00");

    // Arrows and page clicks put the thumb back; the view stays.
    for (auto action : {QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub,
                        QAbstractSlider::SliderPageStepAdd, QAbstractSlider::SliderPageStepSub}) {
        bar->triggerAction(action);
        UiHarness::settle();
        EXPECT_EQ(bar->value(), 25) << action;
        EXPECT_EQ(bar->sliderPosition(), 25) << action;
    }
    view->renderGraph(view->size());
    EXPECT_EQ(s.m_timeLabelText[1], "09:01:00");

    // Dragging the thumb to 11 puts sample 10 at the left edge.
    bar->setSliderDown(true);
    bar->setSliderPosition(11);
    bar->setSliderDown(false);
    UiHarness::settle();
    EXPECT_EQ(bar->value(), 11);
    view->renderGraph(view->size());
    EXPECT_EQ(s.m_timeLabelText[0], "09:00:20");
    EXPECT_EQ(s.m_timeLabelText[1], "09:00:32");

    // UndoZoom rests the bar with its thumb at the start.
    h.frame->trigger(kCmdUndoZoom);
    EXPECT_FALSE(bar->isEnabled());
    EXPECT_EQ(bar->value(), 0);
}
