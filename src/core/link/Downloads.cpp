// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/MeterLink.h"

namespace km905 {

bool MeterLink::openForDownload() {
    return portOperation([&] {
        closeIfOpen();
        openIfClosed();
    });
}

void MeterLink::startLogDownload() {
    ViewState& v = m_model.view;
    if (v.m_batteryText == QLatin1String("Low")) m_ui.showMessage(kLowBatteryRetryText);
    if (v.m_batteryText != QLatin1String("Normal") || v.m_linkDown != 0) return;
    if (!openForDownload()) return;
    LinkState& f = m_model.frame;
    LinkGlobals& g = m_model.g;
    v.m_logListPending = 1;
    v.m_logFromFile = 0;
    f.mode.beginLogDownload();
    f.m_logByteCount = 0;
    g.g_logPhase = LogPhase::Idle;
    g.g_logReceived = 0;
    g.g_logBlocks = -1;
    m_timers.setTimer(TimerOwner::MainFrame, kTimerLogRequest, 200);
}

void MeterLink::startMemDownload() {
    ViewState& v = m_model.view;
    if (v.m_batteryText == QLatin1String("Low")) m_ui.showMessage(kLowBatteryRetryText);
    if (v.m_batteryText != QLatin1String("Normal") || v.m_linkDown != 0) return;
    if (!openForDownload()) return;
    LinkState& f = m_model.frame;
    f.mode.beginMemDownload();
    m_timers.setTimer(TimerOwner::MainFrame, kTimerOpenProgress, 10);
    m_timers.setTimer(TimerOwner::MainFrame, kTimerMemRequest, 1000);
    f.m_logByteCount = 2000;
    v.m_lcdBanner = QStringLiteral("DownLoad");
    m_ui.repaintFace();
}

}  // namespace km905
