// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/Session.h"

#include "core/app/Settings.h"
#include "core/link/DeviceWatch.h"

namespace km905 {

Session::Session(SessionServices s)
    : m_comm(s.comm),
      m_timers(s.timers),
      m_ui(s.ui),
      m_ownJournalFile(s.journal ? nullptr : std::make_unique<DiskJournalFile>(journalPath())),
      m_link(m_model, s.comm, s.timers, s.views),
      m_acq(m_link, s.timers, s.views),
      m_discovery(m_link, s.timers, s.views, s.bridges),
      m_commands(m_model, s.ui, s.views, s.timers),
      m_keys(m_link, s.timers),
      m_progress(m_link, s.timers, s.views),
      m_journal(s.journal ? *s.journal : *m_ownJournalFile) {
    routeTimers();
}

Session::~Session() {
    // The timer service may outlive the session; nothing may reach it any more.
    for (TimerOwner owner : kTimerOwners) m_timers.setHandler(owner, {});
}

void Session::routeTimers() {
    m_timers.setHandler(TimerOwner::MainFrame, [this](int id) { onMainFrameTimer(id); });
    m_timers.setHandler(TimerOwner::View, [this](int id) { onViewTimer(id); });
    m_timers.setHandler(TimerOwner::Panel, [this](int id) { m_keys.onTimer(id); });
    m_timers.setHandler(TimerOwner::Progress, [this](int id) { m_progress.onTimer(id); });
    m_timers.setHandler(TimerOwner::Logger, [this](int id) {
        if (onLoggerTimer) onLoggerTimer(id);
    });
    m_timers.setHandler(TimerOwner::LiveLog, [this](int id) {
        if (onLiveLogTimer) onLiveLogTimer(id);
    });
}

void Session::onMainFrameTimer(int id) {
    if (id == kTimerDiscovery) {
        m_discovery.onTimer();
        return;
    }
    m_link.onTimer(id);
}

void Session::onViewTimer(int id) {
    if (!m_acq.onTimer(id) && id == kTimerZoomDrag && onDragWatchTick) onDragWatchTick();
}

bool Session::start(const SessionStart& how) {
    // Settings, then the link: 9600 8N1 and a first poll on the configured port.
    m_portInSettings = !how.port;
    m_model.frame.m_comPort = how.port ? *how.port : Settings::readComPort();
    m_model.frame.resetPollArmed();
    try {
        m_comm.SetSettings(QStringLiteral("9600,n,8,1"));
    } catch (const SerialError&) {
    }
    const bool opened = m_link.reopenAndPoll();
    m_discovery.schedule();
    if (how.watchDevices)
        m_deviceWatch = std::make_unique<DeviceWatch>([this] { devicesChanged(); });

    // The view reads the Y scale and starts its timers.
    if (m_portInSettings || how.yScaleFromSettings) {
        m_model.view.m_yGain = gainForIndex(Settings::readGainIndex(), 40);
        m_model.view.m_yOffset = offsetForIndex(Settings::readOffsetIndex(), 0);
    }
    m_acq.start();
    m_link.setRecordingSink(&m_journal);
    m_commands.setRecordingSink(&m_journal);
    return opened;
}

MainCommands::CloseOffer Session::offerSaveBeforeClose() {
    if (m_closed) return MainCommands::CloseOffer::NotAsked;
    return m_commands.offerSaveBeforeClose();
}

void Session::closeSequence() {
    if (m_closed) return;
    m_closed = true;
    // Nothing may poll the meter after the end of the link.
    for (TimerOwner owner : kTimerOwners) m_timers.killAllTimers(owner);
    if (m_portInSettings && !Settings::writeComPort(m_model.frame.m_comPort))
        m_ui.showMessage(settingsNotSavedText());
    m_link.sendEndOfLink();
    m_journal.recordingEnded();
}

bool Session::offerRestore() {
    return !m_closed && m_journal.offerRestore(m_model, m_ui);
}

void Session::setDragWatch(bool on) {
    if (on)
        m_timers.setTimer(TimerOwner::View, kTimerZoomDrag, 10);
    else
        m_timers.killTimer(TimerOwner::View, kTimerZoomDrag);
}

}  // namespace km905
