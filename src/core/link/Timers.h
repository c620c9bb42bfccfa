// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <functional>

namespace km905 {

// The windows that own timers; ids are per owner.
// LiveLog: the ticks of `km905-cli log`.
enum class TimerOwner { MainFrame, View, Panel, Progress, Logger, LiveLog };
inline constexpr TimerOwner kTimerOwners[] = {TimerOwner::MainFrame, TimerOwner::View,
                                              TimerOwner::Panel,     TimerOwner::Progress,
                                              TimerOwner::Logger,    TimerOwner::LiveLog};

// Window timers: setTimer repeats until killed, re-arming an id replaces its period.
// One-shot timers kill themselves first thing in their handler.
class ITimerService {
  public:
    using Handler = std::function<void(int id)>;
    virtual ~ITimerService() = default;

    virtual void setTimer(TimerOwner owner, int id, int periodMs) = 0;
    virtual void killTimer(TimerOwner owner, int id) = 0;
    virtual void killAllTimers(TimerOwner owner) = 0;  // every id of that window
    virtual bool isTimerActive(TimerOwner owner, int id) const = 0;
    virtual void setHandler(TimerOwner owner, Handler handler) = 0;

    // Wall-clock time in milliseconds since 1970.
    virtual qint64 nowMs() const = 0;
    qint64 nowSecs() const { return nowMs() / 1000; }
};

}  // namespace km905
