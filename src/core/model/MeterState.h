// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "core/model/GraphRecord.h"
#include "core/model/LinkMode.h"
#include "core/model/MeterTypes.h"
#include "core/model/RecordingState.h"

namespace km905 {

inline constexpr int kReadingsCapacity = 33000;  // also the most a graph file holds
inline constexpr int kFrameSlotCapacity = 10010;
inline constexpr int kMemCapacity = 100;
inline constexpr int kLogBufferSize = 65536;
inline constexpr int kPollArmedSlots = 20;
inline constexpr int kMaxFrameCount = 10000;
inline constexpr int kMaxSampleIndex = 19990;

// Link and meter state owned by the main frame.
struct LinkState {
    QByteArray m_input;
    QByteArray m_output;
    int m_comPort = 1;
    std::array<bool, kPollArmedSlots> m_pollArmed{};
    bool m_checkBattery = true;
    uint8_t m_unitFC = 2;  // 2 = not known yet
    bool m_memEmpty = false;
    LinkMode mode;
    int m_graphUsed = 0;
    std::array<int, kFrameSlotCapacity> m_frameSlot{};
    int m_logByteCount = 0;
    int m_year = 0;
    uint8_t m_clockAux = 0;
    uint8_t m_month = 0;
    uint8_t m_day = 0;
    uint8_t m_hour = 0;
    uint8_t m_minute = 0;
    uint8_t m_second = 0;
    uint8_t m_sampleSecs = 0;
    uint8_t m_rangeCode = 4;  // 4 = no frame yet
    float m_luxFactor = 0;
    float m_fcDispFactor = 0;
    float m_luxDispFactor = 0;
    float m_scaleUnit = 0;
    float m_dispResolution = 0;
    float m_memRangeFactor = 0;

    // Port numbers outside the flag array (a hand-edited settings file) simply have no flag.
    bool pollArmed() const { return validSlot() && m_pollArmed[m_comPort]; }
    void setPollArmed(bool on) {
        if (validSlot()) m_pollArmed[m_comPort] = on;
    }
    // The port was (re)chosen: only its own entry is armed.
    void resetPollArmed() {
        m_pollArmed.fill(false);
        setPollArmed(true);
    }

  private:
    bool validSlot() const { return m_comPort >= 0 && m_comPort < kPollArmedSlots; }
};

// The display model and recording counters owned by the real-time view.
struct ViewState {
    qint64 m_startTime = 0;
    bool m_frameArrived = false;
    int m_frameCount = 0;
    int m_sampleIndex = 0;
    uint8_t m_viewUnitFC = 0;
    QString m_lcdValue;
    QString m_lcdUnit;
    QString m_lcdRange;
    QString m_lcdHold = QStringLiteral("    ");
    QString m_lcdMode = QStringLiteral("    ");
    QString m_lcdClockCaption;
    QString m_lcdClock;
    QString m_lcdMemFlag = QStringLiteral("   ");
    QString m_lcdMemNo = QStringLiteral("   ");
    QString m_lcdBanner = QStringLiteral("        ");
    int m_lcdCounts = 0;
    QString m_statMaxText;  // empty until the first frame
    QString m_statMinText;
    QString m_statAvgText;
    QString m_statMaxTime;
    QString m_statMinTime;
    QString m_batteryText;  // "Normal" or "Low"; empty until the first frame
    int m_sampleRateMs = 1000;
    bool m_linkDown = true;  // no link until the first frame
    bool m_logDataNew = false;
    bool m_logFromFile = false;
    bool m_logListPending = false;
    bool m_logWindowShown = false;
    int m_yGain = 40;
    int m_yOffset = 0;
    bool m_redrawCursor = false;
    bool m_zoomDragging = false;
    QString m_startTimeText;
    QString m_dataNoText;
    QString m_sampleRateText;
    bool m_fileLoaded = false;
    bool m_fileNew = false;
    bool m_memListLoaded = false;
    bool m_memListFromFile = false;
    QString m_memListPath;  // the list file shown; empty for a download not saved yet
};

// The acquisition arrays owned by the document.
struct CDTDoc {
    int m_curIndex = 0;
    std::vector<float> m_readings = std::vector<float>(kReadingsCapacity, 0.0f);

    std::vector<float> m_logValues;
    std::vector<MeterDateTime> m_logStartTimes;
    std::vector<int> m_logRecRate;
    std::vector<uint8_t> m_logRecUnit;
    std::vector<int> m_logRecStart;
    std::vector<int> m_logRecGain;
    int m_logRecordCount = 0;
    int m_yGainDoc = 40;

    // The displayed-graph record: a graph file read back, or the datalogger record shown.
    GraphRecord m_file;
    qint64 m_fileStartTime = 0;  // m_file's start as a point in time
    int fileCount() const { return static_cast<int>(m_file.readings.size()); }

    std::array<float, kMemCapacity> m_memValues{};
    std::array<QString, kMemCapacity> m_memTimes;
    std::array<QString, kMemCapacity> m_memModes;
    std::array<uint8_t, kMemCapacity> m_memFlagB{};
    std::array<uint8_t, kMemCapacity> m_memUnitFC{};
    int m_memCount = 0;

    void releaseLogArrays();
};

// Where a datalogger download stands: the header, then whole 8000-byte blocks, then the short
// remainder. The numbers are the meter program's phase bytes.
enum class LogPhase : uint8_t {
    HeaderSeen = 0,
    ReceivingBlocks = 1,
    ShortBlockRequested = 2,  // every whole block is in; the remainder was asked for
    ShortBlockExpected = 3,
    Idle = 0xFF,
};

// Process-wide statistics and download buffers.
struct LinkGlobals {
    float g_statMax = -1.0f;
    float g_statMin = 400000.0f;
    double g_statSum = 0;
    int g_statCount = 0;
    float g_lastLux = 0;
    int g_holdFrames = 0;
    float g_heldLux = 0;
    std::vector<uint8_t> g_logBuffer = std::vector<uint8_t>(kLogBufferSize, 0);
    int g_logReceived = 0;
    int g_logBlocks = -1;
    LogPhase g_logPhase = LogPhase::Idle;
};

// Everything the link writes and the windows read, in one place.
struct MeterModel {
    LinkState frame;
    RecordingState rec;
    ViewState view;
    CDTDoc doc;
    LinkGlobals g;
};

}  // namespace km905
