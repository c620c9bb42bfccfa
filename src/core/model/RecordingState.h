// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace km905 {

// Whether readings are recorded, and which of Run and Stop the user may choose. Run arms a
// recording that the next live frame starts; Stop, a low battery, the limits and a lost link
// end it.
class RecordingState {
  public:
    bool recording() const { return m_recording; }
    bool stopped() const { return m_stopped; }
    bool resetOnFrame() const { return m_resetOnFrame; }
    bool canRun() const { return m_canRun; }
    bool canStop() const { return m_canStop; }
    bool firstTickPending() const { return m_firstTickPending; }

    // A sample rate was confirmed: the next live frame starts a new recording.
    void run() {
        if (m_canRun) {
            m_canRun = false;
            m_canStop = true;
        }
        m_resetOnFrame = true;
        m_recording = true;
    }
    // Run was chosen, confirmed or not: the view arms its sampling tick at its next paint.
    void setFirstTickPending() { m_firstTickPending = true; }
    // True once after setFirstTickPending().
    bool takeFirstTick() {
        const bool was = m_firstTickPending;
        m_firstTickPending = false;
        return was;
    }
    // A live frame came: true when it starts the recording Run armed. Run is offered again
    // while nothing records.
    bool liveFrame() {
        const bool starts = m_resetOnFrame && m_stopped;
        if (starts) {
            m_resetOnFrame = false;
            m_stopped = false;
        }
        if (!m_recording) m_canRun = true;
        return starts;
    }
    // Stop, a low battery or a limit: what was taken is kept; Run comes back with a frame.
    void stopRecording() {
        m_stopped = true;
        m_recording = false;
        m_canStop = false;
    }
    // The meter no longer answers: neither command until it does.
    void linkLost() {
        stopRecording();
        m_canRun = false;
    }
    // A recording put back after a crash: stopped and unsaved, nothing armed.
    void restoredStopped() {
        stopRecording();
        m_resetOnFrame = false;
        m_firstTickPending = false;
    }

  private:
    bool m_recording = false;
    bool m_stopped = true;
    bool m_resetOnFrame = false;
    bool m_canRun = false;
    bool m_canStop = false;
    bool m_firstTickPending = false;
};

}  // namespace km905
