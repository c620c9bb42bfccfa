// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "VirtualClock.h"

using namespace km905;

TEST(VirtualClock, TimersRepeatUntilKilledAndFireInTimeOrder) {
    VirtualClock clock(0);
    std::vector<std::pair<qint64, int>> fired;
    clock.setHandler(TimerOwner::View, [&](int id) {
        fired.emplace_back(clock.nowMs(), id);
        if (id == 2) clock.killTimer(TimerOwner::View, 2);  // one-shot
    });
    clock.setTimer(TimerOwner::View, 1, 100);
    clock.setTimer(TimerOwner::View, 2, 150);
    clock.advance(350);
    const std::vector<std::pair<qint64, int>> want = {{100, 1}, {150, 2}, {200, 1}, {300, 1}};
    EXPECT_EQ(fired, want);
}

TEST(VirtualClock, RearmingReplacesThePeriod) {
    VirtualClock clock(0);
    std::vector<qint64> at;
    clock.setHandler(TimerOwner::View, [&](int) { at.push_back(clock.nowMs()); });
    clock.setTimer(TimerOwner::View, 1, 1000);
    clock.advance(500);
    clock.setTimer(TimerOwner::View, 1, 100);
    clock.advance(800);
    EXPECT_EQ(at, (std::vector<qint64>{600, 700, 800, 900, 1000, 1100, 1200, 1300}));
    EXPECT_EQ(clock.timerPeriod(TimerOwner::View, 1), 100);
}

TEST(VirtualClock, OwnersKeepSeparateIds) {
    VirtualClock clock(0);
    int main = 0, view = 0;
    clock.setHandler(TimerOwner::MainFrame, [&](int) { ++main; });
    clock.setHandler(TimerOwner::View, [&](int) { ++view; });
    clock.setTimer(TimerOwner::MainFrame, 1, 10);
    clock.setTimer(TimerOwner::View, 1, 20);
    clock.killTimer(TimerOwner::MainFrame, 1);
    clock.advance(100);
    EXPECT_EQ(main, 0);
    EXPECT_EQ(view, 5);
}

TEST(VirtualClock, KillingAllOfAnOwnerLeavesTheOthers) {
    VirtualClock clock(0);
    int main = 0, view = 0;
    clock.setHandler(TimerOwner::MainFrame, [&](int) { ++main; });
    clock.setHandler(TimerOwner::View, [&](int) { ++view; });
    clock.setTimer(TimerOwner::MainFrame, 1, 10);
    clock.setTimer(TimerOwner::MainFrame, 7, 10);
    clock.setTimer(TimerOwner::View, 1, 20);
    clock.killAllTimers(TimerOwner::MainFrame);
    EXPECT_FALSE(clock.isTimerActive(TimerOwner::MainFrame, 1));
    EXPECT_FALSE(clock.isTimerActive(TimerOwner::MainFrame, 7));
    clock.advance(100);
    EXPECT_EQ(main, 0);
    EXPECT_EQ(view, 5);
}
