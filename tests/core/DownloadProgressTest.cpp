// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "LinkHarness.h"
#include "core/dialogs/DownloadProgress.h"

using namespace km905;
using namespace km905::test;

namespace {
// The progress window as the frame shows it: opened by main-frame timer 1, repainted by the
// decoder; its paint runs at once here.
struct ProgressUi : RecordingUi {
    DownloadProgress* progress = nullptr;
    bool shown = false;
    void openProgressWindow() override {
        RecordingUi::openProgressWindow();
        shown = true;
        progress->opened();
        progress->paint();
    }
    void repaintProgress() override {
        RecordingUi::repaintProgress();
        if (shown) progress->paint();
    }
};

struct Downloading {
    explicit Downloading(sim::Scenario s)
        : meter(std::move(s)),
          comm(clock, meter),
          session({comm, clock, bridges, dialogs, ui, &journal}),
          model(session.model()),
          link(session.link()),
          progress(session.progress()) {
        ui.progress = &progress;
        progress.onEnd = [this] {
            ui.shown = false;
            ++ends;
        };
        progress.onMemoryDone = [this] { ++memoryLists; };
        progress.onLoggerDone = [this] { ++loggerWindows; };
        link.reopenAndPoll();
        clock.advance(100);
    }
    VirtualClock clock;
    sim::MeterSimulator meter;
    sim::SimSerialControl comm;
    ProgressUi ui;
    FakeBridgeList bridges;
    RecordingInteraction dialogs;
    MemoryJournalFile journal;
    Session session;
    MeterModel& model;
    MeterLink& link;
    DownloadProgress& progress;
    int ends = 0, memoryLists = 0, loggerWindows = 0;
};
}  // namespace

TEST(DownloadProgress, AMemoryDownloadOpensTheListAfterTheFrame) {
    Downloading d(sim::demoScenario());
    d.link.startMemDownload();
    d.clock.advance(20);
    EXPECT_TRUE(d.ui.shown);
    EXPECT_EQ(d.progress.rangeMax(), 2000);  // the memory bar always runs over 2000
    ASSERT_TRUE(d.clock.runUntil([&] { return d.model.frame.m_memReady == 1; }, 3000));
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
    EXPECT_EQ(d.model.frame.m_memPending, 1);
    d.clock.advance(10000 - 13 * 500 - 1);
    EXPECT_EQ(d.model.frame.m_memPending, 1);
    const size_t before = d.meter.commandLog().size();
    d.clock.advance(2);
    EXPECT_EQ(d.model.frame.m_memPending, 0);
    EXPECT_EQ(d.model.frame.m_memReady, 1);
    EXPECT_EQ(d.model.frame.m_liveMode, 1);
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
    EXPECT_EQ(d.model.frame.m_logPending, 1);
    d.clock.advance(15000);
    EXPECT_EQ(d.model.frame.m_logPending, 0);
    EXPECT_EQ(d.model.frame.m_logReady, 1);
    EXPECT_EQ(d.model.frame.m_liveMode, 1);
    EXPECT_EQ(d.loggerWindows, 0);
}

TEST(DownloadProgress, ACompleteDataloggerDownloadHandsOnItsRecords) {
    Downloading d(sim::demoScenario());
    d.link.startLogDownload();
    ASSERT_TRUE(d.clock.runUntil([&] { return d.model.frame.m_logReady == 1; }, 5000));
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
    ASSERT_TRUE(d.ui.shown);
    ASSERT_EQ(progressTimersRunning(d.clock), (std::vector<int>{1, 3}));
    d.clock.advance(10000);
    ASSERT_EQ(d.ends, 1);
    ASSERT_EQ(d.model.frame.m_memPending, 0);
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
    ASSERT_TRUE(d.ui.shown);
    const int count = d.model.frame.m_logByteCount;
    d.clock.advance((count + 157) / 158 * 500 + 15000);
    ASSERT_EQ(d.ends, 1);
    ASSERT_EQ(d.model.frame.m_logPending, 0);
    EXPECT_EQ(progressTimersRunning(d.clock), std::vector<int>{});  // timer 3 too
}

// Escape ends the window as a cancel. The download's flags stay as they are, no
// data window opens, not even when the answer comes afterwards, and the window's timers stop.
TEST(DownloadProgress, EscapeDuringAMemoryDownload) {
    Downloading d(sim::demoScenario());
    d.link.startMemDownload();
    d.clock.advance(500);
    ASSERT_TRUE(d.ui.shown);
    d.progress.cancelled();  // what the window's Escape does, and it closes
    d.ui.shown = false;
    EXPECT_EQ(progressTimersRunning(d.clock), std::vector<int>{});
    EXPECT_FALSE(d.progress.started());
    const LinkState& f = d.model.frame;
    EXPECT_EQ(f.m_memPending, 1);
    EXPECT_EQ(f.m_memReady, 0);
    EXPECT_EQ(f.m_memWanted, 1);
    EXPECT_EQ(f.m_liveMode, 0);
    EXPECT_EQ(f.m_logByteCount, 2000);
    EXPECT_EQ(d.model.view.m_lcdBanner, "DownLoad");

    // The request still goes out at 1 s and the frame is decoded, but nothing opens.
    ASSERT_TRUE(d.clock.runUntil([&] { return f.m_memReady == 1; }, 3000));
    d.clock.advance(15000);
    EXPECT_EQ(d.memoryLists, 0);
    EXPECT_EQ(d.ends, 0);  // Escape itself closed it; no time-out ends it again
    EXPECT_EQ(progressTimersRunning(d.clock), std::vector<int>{});
}

TEST(DownloadProgress, EscapeDuringADataloggerDownload) {
    Downloading d(sim::demoScenario());
    d.link.startLogDownload();
    d.clock.advance(300);
    ASSERT_TRUE(d.ui.shown);
    ASSERT_EQ(d.model.frame.m_logPending, 1);
    d.progress.cancelled();
    d.ui.shown = false;
    EXPECT_EQ(progressTimersRunning(d.clock), std::vector<int>{});
    EXPECT_EQ(d.model.frame.m_logPending, 1);
    EXPECT_EQ(d.model.frame.m_logReady, 0);
    EXPECT_EQ(d.model.frame.m_liveMode, 0);
    ASSERT_TRUE(d.clock.runUntil([&] { return d.model.frame.m_logReady == 1; }, 5000));
    d.clock.advance(1000);
    EXPECT_EQ(d.loggerWindows, 0);
    EXPECT_EQ(d.ends, 0);
    EXPECT_EQ(progressTimersRunning(d.clock), std::vector<int>{});
}
