// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "Scenario.h"

namespace km905::sim {

inline constexpr double kByteMs = 10.0 * 1000.0 / 9600.0;  // 8N1: ten bits a byte

// Key codes the meter understands after 0x87 0x83.
enum MeterKey : uint8_t {
    kKeyHold = 0xEF,
    kKeyMaxMin = 0xBF,
    kKeyRange = 0x7F,
    kKeyFcLux = 0xFE,
    kKeyLoad = 0xFD,
    kKeyLoadDouble = 0xDB,
    kKeyMemSet = 0xFB,
    kKeyMemSetDouble = 0xDC,
    kKeyPeak = 0xF7,
    kKeyPeakDouble = 0xDA,
    kKeyRel = 0xDF,
    kKeyRelDouble = 0xDE,
    kKeyEndOfLink = 0x15,
};

QString keyName(uint8_t key);

// A KM905 as seen from its serial line: bytes in, answers out. Time is the meter's own,
// in milliseconds since the simulation started.
class MeterSimulator {
  public:
    explicit MeterSimulator(Scenario scenario = demoScenario());

    // Bytes from the PC; returns the meter's answer (may be empty).
    QByteArray receive(const QByteArray& bytes, qint64 tMs);

    QByteArray liveFrame(qint64 tMs) const;
    QByteArray memoryFrame() const;
    QByteArray dataloggerStream() const;

    Scenario& scenario() { return m_s; }
    const Scenario& scenario() const { return m_s; }
    bool unpluggedAt(qint64 tMs) const;

    // What the meter received, one line per command, for logs and tests.
    const std::vector<QString>& commandLog() const { return m_log; }
    // A run of days keeps no command log: it would grow by every poll.
    void keepCommandLog(bool keep) { m_keepLog = keep; }
    int endOfLinkCount() const { return m_endOfLink; }
    int pollCount() const { return m_polls; }
    void setLogger(std::function<void(const QString&)> fn) { m_onLog = std::move(fn); }

    int currentRange(qint64 tMs) const;

  private:
    void handleKey(uint8_t key, qint64 tMs);
    void note(const QString& line, qint64 tMs);
    QByteArray answerPoll(qint64 tMs);
    bool silentAt(qint64 tMs) const;
    MeterDateTime clockAt(qint64 tMs) const;
    int readingCount(qint64 tMs, int range) const;
    // Adds the samples of the meter's own recording that fall due before tMs.
    void logSamplesBefore(qint64 tMs);

    Scenario m_s;
    int m_keyState = 0;  // bytes of 0x87 0x83 k seen so far
    int m_polls = 0;
    int m_endOfLink = 0;
    int m_memIndicator = 0;
    int m_memNo1 = 0;
    int m_memNo2 = 0;
    bool m_recordingLog = false;
    qint64 m_nextLogSampleMs = 0;
    int m_heldRange = -1;  // what HOLD froze
    int m_heldCount = -1;
    std::vector<QString> m_log;
    bool m_keepLog = true;
    std::function<void(const QString&)> m_onLog;
    mutable std::mt19937 m_rng{905};
};

}  // namespace km905::sim
