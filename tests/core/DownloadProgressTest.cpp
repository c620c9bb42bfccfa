// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "LinkHarness.h"
#include "core/dialogs/DownloadProgress.h"

using namespace km905;
using namespace km905::test;

namespace {
struct Downloading : SimSession<> {
    explicit Downloading(sim::Scenario s) : SimSession(std::move(s)), progress(session.progress()) {
        progress.onEnd = [this] { ++ends; };
        progress.onMemoryDone = [this] { ++memoryLists; };
        progress.onLoggerDone = [this] { ++loggerWindows; };
        link.reopenAndPoll();
        clock.advance(100);
    }
    DownloadProgress& progress;
    int ends = 0, memoryLists = 0, loggerWindows = 0;
};
}  // namespace

TEST(DownloadProgress, AMemoryDownloadOpensTheListAfterTheFrame) {
    Downloading d(sim::demoScenario());
    d.link.startMemDownload();
    d.clock.advance(20);
    EXPECT_TRUE(d.progress.shown());
    EXPECT_EQ(d.progress.rangeMax(), 2000);  // the memory bar always runs over 2000
    ASSERT_TRUE(d.clock.runUntil([&] { return d.model.frame.mode.memReady(); }, 3000));
    EXPECT_EQ(d.progress.position(), 2000);  // jumps to full
    EXPECT_EQ(d.memoryLists, 0);
    d.clock.advance(200);
    EXPECT_EQ(d.memoryLists, 1);
    EXPECT_EQ(d.ends, 1);
    EXPECT_EQ(d.model.doc.m_memCount, 4);
}

TEST(DownloadProgress, ASilentMeterTimesTheMemoryDownloadOutAfterTenSeconds) {
    sim::Scenario s = sim::demoScenario();
    Downloading d(s);
    d.meter.scenario().faults.silentAlways = true;
    d.link.startMemDownload();
    d.clock.advance(10 + 13 * 500);
    EXPECT_EQ(d.progress.position(), 2000);  // 13 ticks of 158 fill the bar
    EXPECT_TRUE(d.model.frame.mode.memPending());
    d.clock.advance(10000 - 13 * 500 - 1);
    EXPECT_TRUE(d.model.frame.mode.memPending());
    const size_t before = d.meter.commandLog().size();
    d.clock.advance(2);
    EXPECT_FALSE(d.model.frame.mode.memPending());
    EXPECT_TRUE(d.model.frame.mode.memReady());
    EXPECT_TRUE(d.model.frame.mode.liveMode());
    EXPECT_EQ(d.model.frame.m_logByteCount, 0);
    EXPECT_EQ(d.model.view.m_lcdBanner, "        ");
    d.clock.advance(5);
    EXPECT_EQ(d.meter.commandLog().size(), before + 1);  // reopen-and-poll
    EXPECT_EQ(d.memoryLists, 0);
    EXPECT_EQ(d.ends, 1);
}

TEST(DownloadProgress, AStalledDataloggerStreamIsAbandoned15sAfterTheBarFills) {
    sim::Scenario s = sim::demoScenario();
    s.faults.streamStopAfter = 100;
    Downloading d(s);
    d.link.startLogDownload();
    d.clock.advance(300);
    const int count = d.model.frame.m_logByteCount;
    ASSERT_GT(count, 100);
    const int ticks = (count + 157) / 158;
    d.clock.advance(ticks * 500);
    EXPECT_EQ(d.progress.position(), count);
    EXPECT_TRUE(d.model.frame.mode.logPending());
    d.clock.advance(15000);
    EXPECT_FALSE(d.model.frame.mode.logPending());
    EXPECT_TRUE(d.model.frame.mode.logReady());
    EXPECT_TRUE(d.model.frame.mode.liveMode());
    EXPECT_EQ(d.loggerWindows, 0);
}

TEST(DownloadProgress, ACompleteDataloggerDownloadHandsOnItsRecords) {
    Downloading d(sim::demoScenario());
    d.link.startLogDownload();
    ASSERT_TRUE(d.clock.runUntil([&] { return d.model.frame.mode.logReady(); }, 5000));
    d.clock.advance(200);
    EXPECT_EQ(d.loggerWindows, 1);
    EXPECT_EQ(d.model.doc.m_logRecordCount, 2);
}

namespace {
// Timers 1 to 5 of the progress window still running.
std::vector<int> progressTimersRunning(const VirtualClock& clock) {
    std::vector<int> ids;
    for (int id = 1; id <= 5; ++id)
        if (clock.isTimerActive(TimerOwner::Progress, id)) ids.push_back(id);
    return ids;
}
}  // namespace

// What the progress window started ends with it; a time-out ends the window.
TEST(DownloadProgress, AMemoryTimeOutLeavesNoTimerOfTheWindowRunning) {
    Downloading d(sim::demoScenario());
    d.meter.scenario().faults.silentAlways = true;
    d.link.startMemDownload();
    d.clock.advance(20);
    ASSERT_TRUE(d.progress.shown());
    ASSERT_EQ(progressTimersRunning(d.clock), (std::vector<int>{1, 3}));
    d.clock.advance(10000);
    ASSERT_EQ(d.ends, 1);
    ASSERT_FALSE(d.model.frame.mode.memPending());
    EXPECT_EQ(progressTimersRunning(d.clock), std::vector<int>{});
    const int position = d.progress.position();
    d.clock.advance(5000);
    EXPECT_EQ(d.progress.position(), position);  // no bar tick after the end
    EXPECT_EQ(d.ends, 1);
}

TEST(DownloadProgress, ADataloggerTimeOutLeavesNoTimerOfTheWindowRunning) {
    sim::Scenario s = sim::demoScenario();
    s.faults.streamStopAfter = 100;
    Downloading d(s);
    d.link.startLogDownload();
    d.clock.advance(300);
    ASSERT_TRUE(d.progress.shown());
    const int count = d.model.frame.m_logByteCount;
    d.clock.advance((count + 157) / 158 * 500 + 15000);
    ASSERT_EQ(d.ends, 1);
    ASSERT_FALSE(d.model.frame.mode.logPending());
    EXPECT_EQ(progressTimersRunning(d.clock), std::vector<int>{});  // timer 3 too
}

// Escape ends the window as a cancel. The download's flags stay as they are, no
// data window opens, not even when the answer comes afterwards, and the window's timers stop.
TEST(DownloadProgress, EscapeDuringAMemoryDownload) {
    Downloading d(sim::demoScenario());
    d.link.startMemDownload();
    d.clock.advance(500);
    ASSERT_TRUE(d.progress.shown());
    d.progress.cancelled();  // what the window's Escape does, and it closes
    EXPECT_EQ(progressTimersRunning(d.clock), std::vector<int>{});
    EXPECT_FALSE(d.progress.started());
    const LinkState& f = d.model.frame;
    EXPECT_TRUE(f.mode.memPending());
    EXPECT_FALSE(f.mode.memReady());
    EXPECT_TRUE(f.mode.memWanted());
    EXPECT_FALSE(f.mode.liveMode());
    EXPECT_EQ(f.m_logByteCount, 2000);
    EXPECT_EQ(d.model.view.m_lcdBanner, "DownLoad");

    // The request still goes out at 1 s and the frame is decoded, but nothing opens.
    ASSERT_TRUE(d.clock.runUntil([&] { return f.mode.memReady(); }, 3000));
    d.clock.advance(15000);
    EXPECT_EQ(d.memoryLists, 0);
    EXPECT_EQ(d.ends, 0);  // Escape itself closed it; no time-out ends it again
    EXPECT_EQ(progressTimersRunning(d.clock), std::vector<int>{});
}

TEST(DownloadProgress, EscapeDuringADataloggerDownload) {
    Downloading d(sim::demoScenario());
    d.link.startLogDownload();
    d.clock.advance(300);
    ASSERT_TRUE(d.progress.shown());
    ASSERT_TRUE(d.model.frame.mode.logPending());
    d.progress.cancelled();
    EXPECT_EQ(progressTimersRunning(d.clock), std::vector<int>{});
    EXPECT_TRUE(d.model.frame.mode.logPending());
    EXPECT_FALSE(d.model.frame.mode.logReady());
    EXPECT_FALSE(d.model.frame.mode.liveMode());
    ASSERT_TRUE(d.clock.runUntil([&] { return d.model.frame.mode.logReady(); }, 5000));
    d.clock.advance(1000);
    EXPECT_EQ(d.loggerWindows, 0);
    EXPECT_EQ(d.ends, 0);
    EXPECT_EQ(progressTimersRunning(d.clock), std::vector<int>{});
}

// The link's mode from start-up through both downloads, as the flags table gives it.
TEST(LinkMode, EachDownloadLeavesAndReturnsToLiveFrames) {
    LinkMode m;
    auto flags = [&] {
        return std::vector<bool>{m.liveMode(),   m.logPending(), m.logReady(),
                                 m.memPending(), m.memReady(),   m.memWanted()};
    };
    EXPECT_EQ(flags(), (std::vector<bool>{1, 0, 0, 0, 0, 0}));
    m.beginLogDownload();
    EXPECT_EQ(flags(), (std::vector<bool>{0, 1, 0, 0, 0, 0}));
    m.logDownloadEnded();
    EXPECT_EQ(flags(), (std::vector<bool>{1, 0, 1, 0, 0, 0}));
    m.beginMemDownload();
    EXPECT_EQ(flags(), (std::vector<bool>{0, 0, 0, 1, 0, 1}));
    m.memDownloadEnded();
    EXPECT_EQ(flags(), (std::vector<bool>{1, 0, 0, 0, 1, 1}));
    m.memListFilled();
    EXPECT_EQ(flags(), (std::vector<bool>{1, 0, 0, 0, 1, 0}));
    m.beginLogDownload();
    m.portChosen();  // a port chosen drops the datalogger download
    EXPECT_EQ(flags(), (std::vector<bool>{1, 0, 0, 0, 0, 0}));
}
