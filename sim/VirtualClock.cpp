// SPDX-License-Identifier: GPL-3.0-or-later
#include "VirtualClock.h"

namespace km905 {

namespace {
std::pair<int, int> key(TimerOwner owner, int id) {
    return {static_cast<int>(owner), id};
}
}  // namespace

VirtualClock::VirtualClock(qint64 startMs) : m_now(startMs) {}

void VirtualClock::setTimer(TimerOwner owner, int id, int periodMs) {
    TimerInfo& t = m_timers[key(owner, id)];
    t.period = periodMs < 1 ? 1 : periodMs;
    t.generation = ++m_generation;
    scheduleTimer(owner, id, m_now + t.period);
}

void VirtualClock::scheduleTimer(TimerOwner owner, int id, qint64 at) {
    Event e;
    e.owner = owner;
    e.timerId = id;
    e.generation = m_timers[key(owner, id)].generation;
    m_queue.emplace(Key{at, ++m_seq}, std::move(e));
}

void VirtualClock::killTimer(TimerOwner owner, int id) {
    m_timers.erase(key(owner, id));
}

void VirtualClock::killAllTimers(TimerOwner owner) {
    std::erase_if(m_timers,
                  [owner](const auto& t) { return t.first.first == static_cast<int>(owner); });
}

bool VirtualClock::isTimerActive(TimerOwner owner, int id) const {
    return m_timers.count(key(owner, id)) != 0;
}

int VirtualClock::timerPeriod(TimerOwner owner, int id) const {
    auto it = m_timers.find(key(owner, id));
    return it == m_timers.end() ? -1 : it->second.period;
}

void VirtualClock::setHandler(TimerOwner owner, Handler handler) {
    m_handlers[static_cast<int>(owner)] = std::move(handler);
}

void VirtualClock::callAt(qint64 atMs, std::function<void()> fn) {
    Event e;
    e.fn = std::move(fn);
    m_queue.emplace(Key{atMs < m_now ? m_now : atMs, ++m_seq}, std::move(e));
}

bool VirtualClock::fireNext(qint64 limit) {
    while (!m_queue.empty()) {
        auto it = m_queue.begin();
        if (it->first.first > limit) return false;
        Event e = std::move(it->second);
        m_now = it->first.first;
        m_queue.erase(it);
        if (e.timerId == 0) {
            e.fn();
            return true;
        }
        auto t = m_timers.find(key(e.owner, e.timerId));
        if (t == m_timers.end() || t->second.generation != e.generation)
            continue;  // killed or re-armed
        scheduleTimer(e.owner, e.timerId, m_now + t->second.period);
        auto h = m_handlers.find(static_cast<int>(e.owner));
        if (h != m_handlers.end() && h->second) h->second(e.timerId);
        return true;
    }
    return false;
}

void VirtualClock::advance(qint64 ms) {
    advanceTo(m_now + ms);
}

void VirtualClock::advanceTo(qint64 atMs) {
    while (fireNext(atMs)) {
    }
    if (atMs > m_now) m_now = atMs;
}

bool VirtualClock::runUntil(const std::function<bool()>& pred, qint64 maxMs) {
    const qint64 end = m_now + maxMs;
    while (!pred()) {
        if (!fireNext(end)) {
            m_now = end;
            return pred();
        }
    }
    return true;
}

}  // namespace km905
