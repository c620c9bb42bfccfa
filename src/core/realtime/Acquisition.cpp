// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/realtime/Acquisition.h"

#include "core/model/TimeText.h"

namespace km905 {

Acquisition::Acquisition(MeterLink& link, ITimerService& timers, ILinkUi& ui)
    : m_model(link.model()), m_link(link), m_timers(timers), m_ui(ui) {}

void Acquisition::start() {
    m_timers.setTimer(TimerOwner::View, kTimerSampling, m_model.view.m_sampleRateMs);
    m_timers.setTimer(TimerOwner::View, kTimerWatchdog, kWatchdogMs);
}

void Acquisition::armFirstTickIfPending() {
    if (!m_model.rec.takeFirstTick()) return;
    m_timers.setTimer(TimerOwner::View, kTimerSampling, kFirstTickMs);
}

bool Acquisition::onTimer(int id) {
    if (id == kTimerSampling) {
        onSamplingTick();
        return true;
    }
    if (id == kTimerWatchdog) {
        onWatchdogTick();
        return true;
    }
    return false;
}

void Acquisition::onSamplingTick() {
    LinkState& f = m_model.frame;
    ViewState& v = m_model.view;
    if (!m_model.rec.recording()) return;
    if (v.m_frameCount >= 0 && v.m_frameCount < kFrameSlotCapacity)
        f.m_frameSlot[static_cast<size_t>(v.m_frameCount)] = v.m_sampleIndex;
    std::vector<float>& readings = m_model.doc.m_readings;
    const int slot = v.m_sampleIndex;
    const bool fromFrame = v.m_frameArrived == 1;
    if (v.m_frameArrived == 1) {
        v.m_redrawCursor = 1;
        if (v.m_zoomDragging != 1) m_ui.repaintGraph();
        v.m_startTimeText = formatLocalTime(v.m_startTime, kStoredTimeFormat);
        ++v.m_sampleIndex;
        ++v.m_frameCount;
        v.m_dataNoText = QString::asprintf("%d", v.m_frameCount);
        v.m_frameArrived = 0;
        m_ui.transferInfoBar();
    } else if (v.m_sampleIndex > 0 && v.m_sampleIndex < kReadingsCapacity) {
        // No frame this period: the newest reading is carried forward.
        const auto i = static_cast<size_t>(v.m_sampleIndex);
        readings[i] = readings[i - 1];
        ++v.m_sampleIndex;
    } else if (v.m_sampleIndex == 0) {
        ++v.m_sampleIndex;  // the slot already holds the last frame's reading
    }
    // The first sample, from a frame or held, ends the 100 ms first tick: were a held one
    // left at 100 ms, the tick would go on storing a sample every 100 ms.
    if (slot == 0 && v.m_sampleIndex == 1)
        m_timers.setTimer(TimerOwner::View, kTimerSampling, v.m_sampleRateMs);
    // The slot is final now: no later frame writes it.
    if (IRecordingSink* sink = m_link.recordingSink(); sink && v.m_sampleIndex == slot + 1)
        sink->sampleStored(m_model, slot, fromFrame);
    // A silent meter adds held samples without a frame to check the limit.
    if (v.m_sampleIndex >= kMaxSampleIndex) {
        m_model.rec.stopRecording();
    }
}

void Acquisition::linkFailure() {
    ViewState& v = m_model.view;
    LinkState& f = m_model.frame;
    v.m_linkDown = 1;
    f.m_checkBattery = 1;
    m_model.rec.linkLost();
    m_ui.repaintFace();
}

void Acquisition::onWatchdogTick() {
    LinkState& f = m_model.frame;
    if (f.pollArmed() && f.mode.liveMode()) {
        // A battery not yet known counts as good, so a meter that was silent at start-up is
        // still polled; only a reported low battery keeps the link down.
        if (m_model.view.m_batteryText != QLatin1String("Low")) {
            QString error;
            if (!m_link.reopenAndPoll(&error) && error == QLatin1String("Invalid port number"))
                linkFailure();
        } else {
            linkFailure();
            portOperation([&] { m_link.closeIfOpen(); });
        }
    }
    f.setPollArmed(true);
}

}  // namespace km905
