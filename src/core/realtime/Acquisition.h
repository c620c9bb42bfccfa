// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/link/MeterLink.h"

namespace km905 {

// View timers of the real-time recording.
enum ViewTimer : int { kTimerSampling = 1, kTimerWatchdog = 2, kTimerZoomDrag = 3 };

inline constexpr int kWatchdogMs = 2000;
inline constexpr int kFirstTickMs = 100;

// The real-time view's timing: one stored sample per sampling period, and the watchdog
// that re-polls a silent meter.
class Acquisition {
  public:
    Acquisition(MeterLink& link, ITimerService& timers, ILinkUi& ui);

    // The view's initial update: sampling tick at the current period, watchdog at 2 s.
    void start();
    // The first repaint after Run arms the first tick at 100 ms.
    void armFirstTickIfPending();

    void onSamplingTick();
    void onWatchdogTick();
    bool onTimer(int id);  // view timers 1 and 2
    void linkFailure();

  private:
    MeterModel& m_model;
    MeterLink& m_link;
    ITimerService& m_timers;
    ILinkUi& m_ui;
};

}  // namespace km905
