// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/PortDiscovery.h"

namespace km905 {

PortDiscovery::PortDiscovery(MeterLink& link, ITimerService& timers, ILinkUi& ui,
                             const IBridgeLookup& lookup)
    : m_link(link), m_timers(timers), m_ui(ui), m_lookup(lookup) {}

void PortDiscovery::schedule() {
    m_timers.setTimer(TimerOwner::MainFrame, kTimerDiscovery, kDiscoveryDelayMs);
}

void PortDiscovery::onTimer() {
    m_timers.killTimer(TimerOwner::MainFrame, kTimerDiscovery);
    run();
}

void PortDiscovery::run() {
    MeterModel& model = m_link.model();
    for (int slot = 0; slot < kBridgeSlots; ++slot) {
        const std::optional<int> found = m_lookup.bridgePort(slot);
        if (!found) continue;
        const int n = *found;
        if (n < 1 || n > 16) {
            portOperation([&] { m_link.closeIfOpen(); });
            m_ui.showMessage(kPortOver16Text);
            model.view.m_linkDown = 1;
            m_ui.repaintFace();
            return;
        }
        model.frame.m_comPort = n;
        model.frame.resetPollArmed();
        ISerialControl& comm = m_link.comm();
        if (!portOperation([&] {
                m_link.closeIfOpen();
                comm.SetCommPort(n);
                comm.SetPortOpen(true);
            })) {
            // In use: the number is kept and the watchdog retries it.
            portOperation([&] { m_link.closeIfOpen(); });
            return;
        }
        model.frame.mode.portChosen();
        m_link.reopenAndPoll();
        return;
    }
}

}  // namespace km905
