// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/dialogs/DownloadProgress.h"

namespace km905 {

namespace {
enum ProgressTimer : int { kBar = 1, kLogTimeout = 2, kMemTimeout = 3, kMemDone = 4, kLogDone = 5 };
const QString kBlankBanner = QStringLiteral("        ");
}  // namespace

DownloadProgress::DownloadProgress(MeterLink& link, ITimerService& timers, ILinkUi& ui)
    : m_link(link), m_timers(timers), m_ui(ui) {}

void DownloadProgress::setBar(int pos) {
    m_position = std::clamp(pos, 0, std::max(m_rangeMax, 0));
    if (onBarChanged) onBarChanged();
}

void DownloadProgress::killAll() {
    for (int id = kBar; id <= kLogDone; ++id) m_timers.killTimer(TimerOwner::Progress, id);
}

void DownloadProgress::open() {
    m_started = false;
    m_position = 0;
    m_shown = true;
    paint();
}

void DownloadProgress::repaint() {
    if (m_shown) paint();
}

void DownloadProgress::cancelled() {
    killAll();
    m_started = false;
    m_shown = false;
}

// The window's timers go with the window, whichever way it ends.
void DownloadProgress::end() {
    killAll();
    m_shown = false;
    if (onEnd) onEnd();
}

void DownloadProgress::paint() {
    LinkState& f = m_link.model().frame;
    if (f.m_logByteCount > 0 && !m_started) {
        m_timers.setTimer(TimerOwner::Progress, kBar, 500);
        m_timers.setTimer(TimerOwner::Progress, kMemTimeout, 10000);
        m_rangeTotal = f.m_logByteCount;
        m_rangeMax = m_rangeTotal;
        setBar(0);
        m_started = true;
    }
    if (f.mode.logReady()) {
        m_timers.killTimer(TimerOwner::Progress, kBar);
        m_timers.killTimer(TimerOwner::Progress, kLogTimeout);
        setBar(m_rangeMax);
        m_timers.setTimer(TimerOwner::Progress, kLogDone, 200);
    }
    if (f.mode.memReady()) {
        m_timers.killTimer(TimerOwner::Progress, kBar);
        m_timers.killTimer(TimerOwner::Progress, kMemTimeout);
        setBar(m_rangeMax);
        m_timers.setTimer(TimerOwner::Progress, kMemDone, 200);
    }
}

void DownloadProgress::onTimer(int id) {
    MeterModel& m = m_link.model();
    LinkState& f = m.frame;
    auto abandon = [&] {
        end();
        m_started = false;
        m.view.m_lcdBanner = kBlankBanner;
        m_ui.repaintFace();
        m_link.reopenAndPoll();
    };
    switch (id) {
        case kBar:
            m_rangeMax = f.m_logByteCount;
            setBar(m_position + 158);
            if (m_position >= m_rangeMax && !f.mode.logReady() && f.mode.logPending()) {
                m_timers.killTimer(TimerOwner::Progress, kBar);
                m_timers.setTimer(TimerOwner::Progress, kLogTimeout, 15000);
            }
            break;
        case kLogTimeout:
            if (!f.mode.logReady() && f.mode.logPending()) {
                m_link.takeHeldLogBytes();  // what came is kept, though no record is made of it
                abandon();
                f.mode.logDownloadEnded();
            }
            break;
        case kMemTimeout:
            if (!f.mode.memReady() && f.mode.memPending()) {
                abandon();
                f.mode.memDownloadEnded();
                f.m_logByteCount = 0;
            }
            break;
        case kMemDone:
            end();
            if (onMemoryDone) onMemoryDone();
            m_started = false;
            break;
        case kLogDone:
            end();
            if (f.m_logByteCount > 0 && onLoggerDone) onLoggerDone();
            m_started = false;
            break;
        default:
            break;
    }
}

}  // namespace km905
