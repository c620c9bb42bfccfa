// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/link/BridgeLookup.h"
#include "core/link/MeterLink.h"

namespace km905 {

inline const QString kPortOver16Text = QStringLiteral(
    "The Cp210x driver COM port is over 16!\nPlease close the software panel,and try to change "
    "the Cp210x COM port under 16 at the Device Manager of your computer.");

inline constexpr int kDiscoveryDelayMs = 1000;

// Finds the meter's USB bridge one second after start-up and after each device arrival or
// removal, and moves the link to its port.
class PortDiscovery {
  public:
    PortDiscovery(MeterLink& link, ITimerService& timers, ILinkUi& ui, const IBridgeLookup& lookup);

    void schedule();  // main-frame timer 5, 1000 ms
    void onTimer();   // its tick
    void run();

  private:
    MeterLink& m_link;
    ITimerService& m_timers;
    ILinkUi& m_ui;
    const IBridgeLookup& m_lookup;
};

}  // namespace km905
