// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>
#include <map>
#include <memory>

#include "core/link/Timers.h"

namespace km905 {

// Window timers on QTimer and the system clock.
class QtTimerService : public ITimerService {
  public:
    void setTimer(TimerOwner owner, int id, int periodMs) override;
    void killTimer(TimerOwner owner, int id) override;
    void killAllTimers(TimerOwner owner) override;
    bool isTimerActive(TimerOwner owner, int id) const override;
    void setHandler(TimerOwner owner, Handler handler) override;
    qint64 nowMs() const override;

  private:
    std::map<std::pair<int, int>, std::unique_ptr<QTimer>> m_timers;
    std::map<int, Handler> m_handlers;
};

}  // namespace km905
