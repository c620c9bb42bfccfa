// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "FakeSerial.h"
#include "LinkHarness.h"

using namespace km905;
using namespace km905::test;

namespace {
sim::Scenario steady(double lux) {
    return steadyScenario(lux);
}
}  // namespace

TEST(PollLoop, EachFrameSchedulesTheNextPoll50msLater) {
    LinkHarness h(steady(250));
    ASSERT_TRUE(h.link.reopenAndPoll());
    // A poll is 1 byte out, 19 back at 9600 baud (about 21 ms), then the 50 ms wait.
    h.clock.advance(21);
    EXPECT_EQ(h.model.view.m_frameArrived, 0);
    h.clock.advance(2);
    EXPECT_EQ(h.model.view.m_lcdValue, "250.0");
    EXPECT_EQ(h.model.view.m_linkDown, 0);
    EXPECT_TRUE(h.clock.isTimerActive(TimerOwner::MainFrame, kTimerPoll));
    EXPECT_EQ(h.clock.timerPeriod(TimerOwner::MainFrame, kTimerPoll), 50);
    h.clock.advance(1000 - 23);
    EXPECT_GE(h.meter.pollCount(), 13);
    EXPECT_LE(h.meter.pollCount(), 15);
    for (const QByteArray& b : h.comm.sent()) EXPECT_EQ(b, bytes({0x11}));
}

TEST(PollLoop, LowBatteryStopsPollingAndRecordingWithOneMessage) {
    sim::Scenario s = steady(250);
    s.lowBattery = true;
    LinkHarness h(s);
    h.model.rec.liveFrame();  // a frame, Run, and the frame that starts the recording
    h.model.rec.run();
    h.model.rec.liveFrame();
    h.link.reopenAndPoll();
    h.clock.advance(3000);
    EXPECT_EQ(h.meter.pollCount(), 1);
    EXPECT_EQ(h.ui.messages, QStringList({"Power is low,please change another battery!"}));
    EXPECT_EQ(h.model.view.m_batteryText, "Low");
    EXPECT_FALSE(h.model.rec.recording());
    EXPECT_TRUE(h.model.rec.stopped());
    EXPECT_FALSE(h.model.rec.canStop());

    // Noise or another device on the line afterwards: frame-like chunks raise nothing more.
    const QByteArray noise = bytes({0xAA, 0xDD, 0x13, 0x57, 0x9B, 0xDF, 0x24, 0x68, 0xAC, 0xE0,
                                    0x35, 0x79, 0xBD, 0x01, 0x46, 0x8A, 0xCE, 0x12, 0x56});
    for (int i = 0; i < 10000; ++i)
        h.link.pollStep(reinterpret_cast<const uint8_t*>(noise.constData()), 19);
    EXPECT_EQ(h.ui.messages.size(), 1);
}

TEST(PollLoop, GarbageAnswersKeepTheLoopGoingWithoutCorruptingReadings) {
    sim::Scenario s = steady(250);
    s.faults.garbageEvery = 3;
    LinkHarness h(s);
    h.link.reopenAndPoll();
    for (int i = 0; i < 40; ++i) {
        h.clock.advance(25);
        if (h.model.view.m_frameArrived) {
            EXPECT_EQ(h.model.view.m_lcdValue, "250.0");
            EXPECT_FLOAT_EQ(h.model.doc.m_readings[0], 250.0f);
        }
    }
    EXPECT_GE(h.meter.pollCount(), 12);
}

TEST(PollLoop, ACutFrameStallsTheLoopUntilTheNextReopen) {
    sim::Scenario s = steady(250);
    s.faults.truncateEvery = 3;
    LinkHarness h(s);
    h.link.reopenAndPoll();
    h.clock.advance(2000);
    EXPECT_EQ(h.meter.pollCount(), 3);  // 7 bytes never reach the threshold of 19
    h.link.reopenAndPoll();             // what the watchdog does
    h.clock.advance(200);
    EXPECT_GT(h.meter.pollCount(), 4);
    EXPECT_EQ(h.model.view.m_lcdValue, "250.0");
}

TEST(PollLoop, SilenceLeavesTheLinkWaiting) {
    sim::Scenario s = steady(250);
    s.faults.silentAlways = true;
    LinkHarness h(s);
    h.link.reopenAndPoll();
    h.clock.advance(5000);
    EXPECT_EQ(h.meter.commandLog(), std::vector<QString>{"poll (silent)"});
    EXPECT_EQ(h.model.view.m_linkDown, 1);
    EXPECT_FALSE(h.clock.isTimerActive(TimerOwner::MainFrame, kTimerPoll));
}

TEST(PollLoop, AnUnpluggedPortCannotBeOpened) {
    LinkHarness h(steady(250));
    h.comm.unplug();
    EXPECT_FALSE(h.link.reopenAndPoll());
    EXPECT_FALSE(h.comm.GetPortOpen());
    h.comm.replug();
    EXPECT_TRUE(h.link.reopenAndPoll());
    h.clock.advance(30);
    EXPECT_EQ(h.model.view.m_lcdValue, "250.0");
}

// The poll step: only a byte other than 0x00 and 0xFF among bytes 0..18 schedules the
// next poll.
TEST(PollLoop, DataOfOnlyNullAndFFBytesSchedulesNoPoll) {
    FakeLink t;
    t.frame(FrameSpec{});
    ASSERT_EQ(t.view().m_batteryText, "Normal");
    ASSERT_TRUE(t.clock.isTimerActive(TimerOwner::MainFrame, kTimerPoll));
    t.clock.advance(50);  // the poll goes out; the one-shot timer is gone
    ASSERT_FALSE(t.clock.isTimerActive(TimerOwner::MainFrame, kTimerPoll));
    const size_t sent = t.comm.sent.size();

    QByteArray line;
    for (int k = 0; k < 19; ++k) line.append(static_cast<char>(k % 2 ? 0xFF : 0x00));
    t.comm.deliver(line);
    EXPECT_FALSE(t.clock.isTimerActive(TimerOwner::MainFrame, kTimerPoll));
    t.comm.deliver(QByteArray(19, '\xFF') + bytes({0x11}));  // byte 19 is not looked at
    EXPECT_FALSE(t.clock.isTimerActive(TimerOwner::MainFrame, kTimerPoll));
    t.comm.deliver(QByteArray(3, '\x00'));  // short data, too
    EXPECT_FALSE(t.clock.isTimerActive(TimerOwner::MainFrame, kTimerPoll));
    t.clock.advance(500);
    EXPECT_EQ(t.comm.sent.size(), sent);
    EXPECT_TRUE(t.ui.messages.isEmpty());

    t.comm.deliver(QByteArray(18, '\x00') + bytes({0x01}));  // one other byte in 0..18
    EXPECT_TRUE(t.clock.isTimerActive(TimerOwner::MainFrame, kTimerPoll));
    EXPECT_EQ(t.clock.timerPeriod(TimerOwner::MainFrame, kTimerPoll), 50);
}
