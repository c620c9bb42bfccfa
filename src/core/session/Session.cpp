// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/Session.h"

#include "core/link/DeviceWatch.h"

namespace km905 {

Session::Session(SessionServices s)
    : m_comm(s.comm),
      m_timers(s.timers),
      m_ui(s.ui),
      m_settings(s.settings),
      m_ownJournalFile(
          s.journal ? nullptr
                    : std::make_unique<DiskJournalFile>(journalPath(s.settings.dataFolder()))),
      m_linkUi(s.views),
      m_link(m_model, s.comm, s.timers, m_linkUi),
      m_acq(m_link, s.timers, s.views),
      m_discovery(m_link, s.timers, s.views, s.bridges),
      m_commands(m_model, s.ui, s.views, s.timers, s.settings),
      m_keys(m_link, s.timers),
      m_progress(m_link, s.timers, s.views),
      m_journal(s.journal ? *s.journal : *m_ownJournalFile) {
    m_linkUi.setProgress(&m_progress);
    routeTimers();
}

void Session::LinkUiRelay::openProgressWindow() {
    if (m_progress) m_progress->open();
    m_views.openProgressWindow();
}

void Session::LinkUiRelay::repaintProgress() {
    if (m_progress) m_progress->repaint();
    m_views.repaintProgress();
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
    m_model.frame.m_comPort = how.port ? *how.port : m_settings.readComPort();
    m_model.frame.resetPollArmed();
    portOperation([&] { m_comm.SetSettings(QStringLiteral("9600,n,8,1")); });
    const bool opened = m_link.reopenAndPoll();
    m_discovery.schedule();
    if (how.watchDevices)
        m_deviceWatch = std::make_unique<DeviceWatch>([this] { devicesChanged(); });

    // The view reads the Y scale and starts its timers.
    if (m_portInSettings || how.yScaleFromSettings) {
        m_model.view.m_yGain = gainForIndex(m_settings.readGainIndex(), 40);
        m_model.view.m_yOffset = offsetForIndex(m_settings.readOffsetIndex(), 0);
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
    if (m_portInSettings && !m_settings.writeComPort(m_model.frame.m_comPort))
        m_ui.showMessage(m_settings.notSavedText());
    m_link.sendEndOfLink();
    m_journal.recordingEnded();
}

bool offerRestore(JournalKeeper& journal, MeterModel& m, IUserInteraction& ui) {
    const JournalKeeper::LeftBehind left = journal.findLeftBehind();
    if (!left.notice.isEmpty()) ui.showMessage(left.notice);
    if (!left.recording) return false;
    if (!ui.askYesNo(restoreQuestion(*left.recording))) {
        journal.discardLeftBehind();
        return false;
    }
    restoreRecording(*left.recording, m);
    return true;
}

bool Session::offerRestore() {
    return !m_closed && km905::offerRestore(m_journal, m_model, m_ui);
}

void Session::setDragWatch(bool on) {
    if (on)
        m_timers.setTimer(TimerOwner::View, kTimerZoomDrag, 10);
    else
        m_timers.killTimer(TimerOwner::View, kTimerZoomDrag);
}

}  // namespace km905
