// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace km905 {

// What the frames on the line are: live readings, or a memory or datalogger download; and how
// the last download ended. Only these transitions change it, so no flag is left half-set.
class LinkMode {
  public:
    bool liveMode() const { return m_liveMode; }
    bool logPending() const { return m_logPending; }
    bool logReady() const { return m_logReady; }
    bool memPending() const { return m_memPending; }
    bool memReady() const { return m_memReady; }
    bool memWanted() const { return m_memWanted; }

    // A datalogger download was asked for: its header and data are expected.
    void beginLogDownload() {
        m_logPending = true;
        m_liveMode = false;
        m_logReady = false;
        m_memReady = false;
    }
    // A memory download was asked for; the memory list refills from it once.
    void beginMemDownload() {
        m_memPending = true;
        m_memWanted = true;
        m_logReady = false;
        m_memReady = false;
        m_liveMode = false;
        m_logPending = false;
    }
    // The datalogger download ended, complete or timed out: back to live frames.
    void logDownloadEnded() {
        m_logReady = true;
        m_liveMode = true;
        m_logPending = false;
    }
    // The memory download ended, complete or timed out: back to live frames.
    void memDownloadEnded() {
        m_liveMode = true;
        m_memPending = false;
        m_memReady = true;
    }
    // A port was chosen: live frames are expected and a datalogger download is dropped.
    void portChosen() {
        m_liveMode = true;
        m_logPending = false;
    }
    // The memory list took the downloaded records.
    void memListFilled() { m_memWanted = false; }

  private:
    bool m_liveMode = true;
    bool m_logPending = false;
    bool m_logReady = false;
    bool m_memPending = false;
    bool m_memReady = false;
    bool m_memWanted = false;
};

}  // namespace km905
