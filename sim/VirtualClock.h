// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "core/link/Timers.h"

namespace km905 {

// Virtual time for tests: nothing happens until advance() is called, and then every due
// event fires in time order (ties in the order they were scheduled).
class VirtualClock : public ITimerService {
  public:
    explicit VirtualClock(qint64 startMs = 1765184400000);  // 2025-12-08 09:00:00 UTC

    void setTimer(TimerOwner owner, int id, int periodMs) override;
    void killTimer(TimerOwner owner, int id) override;
    void killAllTimers(TimerOwner owner) override;
    bool isTimerActive(TimerOwner owner, int id) const override;
    void setHandler(TimerOwner owner, Handler handler) override;
    qint64 nowMs() const override { return m_now; }

    // Timer period now armed (or -1).
    int timerPeriod(TimerOwner owner, int id) const;

    // A plain callback at an absolute virtual time (used by the simulated line).
    void callAt(qint64 atMs, std::function<void()> fn);
    void callAfter(qint64 delayMs, std::function<void()> fn) {
        callAt(m_now + delayMs, std::move(fn));
    }

    void advance(qint64 ms);
    void advanceTo(qint64 atMs);
    // Runs until pred() holds or maxMs pass; returns pred().
    bool runUntil(const std::function<bool()>& pred, qint64 maxMs);

  private:
    struct Event {
        std::function<void()> fn;
        TimerOwner owner{};
        int timerId = 0;  // 0 = a plain callback
        uint64_t generation = 0;
    };
    struct TimerInfo {
        int period = 0;
        uint64_t generation = 0;
    };
    using Key = std::pair<qint64, uint64_t>;  // time, sequence
    void scheduleTimer(TimerOwner owner, int id, qint64 at);
    bool fireNext(qint64 limit);

    qint64 m_now;
    uint64_t m_seq = 0;
    uint64_t m_generation = 0;
    std::multimap<Key, Event> m_queue;
    std::map<std::pair<int, int>, TimerInfo> m_timers;
    std::map<int, Handler> m_handlers;
};

}  // namespace km905
