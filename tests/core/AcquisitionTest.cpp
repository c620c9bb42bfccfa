// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "LinkHarness.h"
#include "core/realtime/Acquisition.h"

using namespace km905;
using namespace km905::test;

namespace {
struct Recording : LinkHarness {
    explicit Recording(double lux = 250) : LinkHarness(steady(lux)), acq(session.acquisition()) {
        model.view.m_sampleRateMs = 1000;
        acq.start();
        link.reopenAndPoll();
        clock.advance(100);
    }
    static sim::Scenario steady(double lux) { return steadyScenario(lux); }
    // What Run confirmed does, and the repaint after it.
    void run() {
        model.rec.run();
        model.rec.setFirstTickPending();
        session.graphPainted();
    }
    Acquisition& acq;
};
}  // namespace

TEST(SamplingTick, TheFirst100msTickStoresTheFirstSampleThenOneAPeriod) {
    Recording r;
    r.run();
    EXPECT_EQ(r.clock.timerPeriod(TimerOwner::View, kTimerSampling), 100);
    r.clock.advance(99);
    EXPECT_EQ(r.model.view.m_sampleIndex, 0);  // the restarting frame came, no tick yet
    EXPECT_FALSE(r.model.rec.stopped());
    r.clock.advance(1);
    EXPECT_EQ(r.model.view.m_sampleIndex, 1);
    EXPECT_EQ(r.model.view.m_frameCount, 1);
    EXPECT_EQ(r.model.view.m_dataNoText, "1");
    EXPECT_EQ(r.clock.timerPeriod(TimerOwner::View, kTimerSampling), 1000);
    const int repaints = r.ui.lcdRepaints;
    r.clock.advance(3000);
    EXPECT_EQ(r.model.view.m_sampleIndex, 4);
    EXPECT_EQ(r.model.view.m_frameCount, 4);
    EXPECT_GT(r.ui.lcdRepaints - repaints, 30);  // about fourteen frames a period, one sample
    EXPECT_EQ(r.model.frame.m_frameSlot[3], 3);
    EXPECT_FLOAT_EQ(r.model.doc.m_readings[3], 250.0f);
}

// The 100 ms tick is the first tick only; the tick that stores the first sample
// switches to the sampling period. Here no frame has come since start-up when Run is
// confirmed and the meter stays silent, so that first sample is a held one.
TEST(SamplingTick, AFirstTickWithoutAFrameStillSwitchesToTheSamplingPeriod) {
    sim::Scenario s = steadyScenario(250);
    s.faults.silentAlways = true;
    LinkHarness h(s);
    Acquisition& acq = h.session.acquisition();
    h.model.view.m_sampleRateMs = 1000;
    acq.start();
    h.link.reopenAndPoll();
    h.clock.advance(100);
    ASSERT_EQ(h.model.view.m_frameArrived, 0);
    ASSERT_EQ(h.model.view.m_sampleIndex, 0);
    h.model.rec.run();  // Run confirmed
    h.model.rec.setFirstTickPending();
    h.session.graphPainted();  // the repaint after Run
    ASSERT_EQ(h.clock.timerPeriod(TimerOwner::View, kTimerSampling), 100);
    h.clock.advance(100);
    EXPECT_EQ(h.model.view.m_sampleIndex, 1);
    EXPECT_EQ(h.clock.timerPeriod(TimerOwner::View, kTimerSampling), 1000);
    h.clock.advance(3000);
    EXPECT_EQ(h.model.view.m_sampleIndex, 4);  // one a second, not one every 100 ms
    EXPECT_EQ(h.model.view.m_frameCount, 0);
}

TEST(SamplingTick, APeriodWithoutFramesHoldsTheLastReading) {
    Recording r(300);
    r.run();
    r.clock.advance(2100);
    r.meter.scenario().faults.silentAlways = true;
    r.clock.advance(1000);  // an answer still on the line may make one more real sample
    const int index = r.model.view.m_sampleIndex;
    const int frames = r.model.view.m_frameCount;
    const QString dataNo = r.model.view.m_dataNoText;
    const int transfers = r.ui.infoTransfers;
    r.clock.advance(1000);
    EXPECT_EQ(r.model.view.m_sampleIndex, index + 1);
    EXPECT_EQ(r.model.view.m_frameCount, frames);
    EXPECT_EQ(r.model.view.m_dataNoText, dataNo);  // "Data No." counts real frames only
    EXPECT_EQ(r.ui.infoTransfers, transfers);      // and the screen is left alone
    EXPECT_FLOAT_EQ(r.model.doc.m_readings[static_cast<size_t>(index)], 300.0f);
}

TEST(SamplingTick, NothingIsStoredWhileNotRecording) {
    Recording r;
    r.clock.advance(5000);
    EXPECT_EQ(r.model.view.m_sampleIndex, 0);
    EXPECT_TRUE(r.model.rec.canRun());
}

TEST(SamplingTick, HeldSamplesStopAtTheRecordingLimit) {
    Recording r;
    r.run();
    r.clock.advance(200);
    r.meter.scenario().faults.silentAlways = true;
    r.clock.advance(200);
    r.model.view.m_sampleIndex = kMaxSampleIndex - 1;
    r.clock.advance(1000);
    EXPECT_EQ(r.model.view.m_sampleIndex, kMaxSampleIndex);
    EXPECT_FALSE(r.model.rec.recording());
    r.clock.advance(5000);
    EXPECT_EQ(r.model.view.m_sampleIndex, kMaxSampleIndex);
}

TEST(Watchdog, ASilentMeterIsPolledEveryTwoSeconds) {
    Recording r;
    r.meter.scenario().faults.silentAlways = true;
    r.clock.advance(200);
    const size_t before = r.meter.commandLog().size();
    r.clock.advance(10000);
    const size_t polls = r.meter.commandLog().size() - before;
    EXPECT_GE(polls, 4u);
    EXPECT_LE(polls, 5u);
    EXPECT_EQ(r.model.view.m_linkDown, 0);  // the port is there: no link failure
}

TEST(Watchdog, APortThatWentAwayTakesTheLinkDownAndComesBack) {
    Recording r;
    r.run();
    r.clock.advance(500);
    r.comm.unplug();
    r.clock.advance(4100);
    EXPECT_EQ(r.model.view.m_linkDown, 1);
    EXPECT_FALSE(r.model.rec.recording());
    EXPECT_TRUE(r.model.rec.stopped());
    EXPECT_FALSE(r.model.rec.canRun());
    EXPECT_GE(r.ui.faceRepaints, 1);
    r.comm.replug();
    r.clock.advance(4100);
    EXPECT_EQ(r.model.view.m_linkDown, 0);
    EXPECT_TRUE(r.model.rec.canRun());
}

TEST(Watchdog, ALowBatteryKeepsTheLinkDownAndThePortClosed) {
    sim::Scenario s = Recording::steady(250);
    s.lowBattery = true;
    LinkHarness h(s);
    Acquisition& acq = h.session.acquisition();
    acq.start();
    h.link.reopenAndPoll();
    h.clock.advance(100);
    ASSERT_EQ(h.model.view.m_batteryText, "Low");
    h.clock.advance(4000);
    EXPECT_EQ(h.model.view.m_linkDown, 1);
    EXPECT_EQ(h.model.frame.m_checkBattery, 1);
    EXPECT_FALSE(h.comm.GetPortOpen());
    EXPECT_EQ(h.meter.pollCount(), 1);  // never re-polled
}

// Run arms a recording the next frame starts; every way of stopping ends it the same way.
TEST(RecordingState, RunStartsWithTheNextFrameAndEveryStopEndsIt) {
    RecordingState r;
    EXPECT_TRUE(r.stopped());
    EXPECT_FALSE(r.recording());
    EXPECT_FALSE(r.liveFrame());  // nothing armed: the frame only offers Run
    EXPECT_TRUE(r.canRun());
    r.run();
    EXPECT_TRUE(r.recording());
    EXPECT_TRUE(r.resetOnFrame());
    EXPECT_FALSE(r.canRun());
    EXPECT_TRUE(r.canStop());
    EXPECT_TRUE(r.liveFrame());  // this frame starts it
    EXPECT_FALSE(r.stopped());
    EXPECT_FALSE(r.liveFrame());  // and no later one restarts it
    EXPECT_FALSE(r.canRun());
    r.stopRecording();
    EXPECT_TRUE(r.stopped());
    EXPECT_FALSE(r.recording());
    EXPECT_FALSE(r.canStop());
    r.liveFrame();
    EXPECT_TRUE(r.canRun());  // back with the next frame
    r.linkLost();
    EXPECT_FALSE(r.canRun());
    r.setFirstTickPending();
    EXPECT_TRUE(r.takeFirstTick());
    EXPECT_FALSE(r.takeFirstTick());  // once per Run
}
