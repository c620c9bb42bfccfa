// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/model/MeterTypes.h"

namespace km905 {

// The live frame and the datalogger header are also the receive thresholds that wait for
// them whole; the memory frame's threshold is its own number.
inline constexpr int kLiveFrameSize = 19;
inline constexpr int kMemoryFrameThreshold = 1352;
inline constexpr int kMemoryRecordSize = 13;
inline constexpr int kMemoryLastRecordOffset = 1277;
inline constexpr int kLogHeaderSize = 5;
inline constexpr int kLogBlockSize = 8000;
// A stored reading's over-range limit is its range factor x 4000: a count of 4000.
inline constexpr int kOverRangeCount = 4000;

// The fields of one 19-byte live frame, undecorated.
struct LiveFrame {
    int year = 0;  // 2000 + BCD
    int clockAux = 0;
    int month = 0, day = 0, hour = 0, minute = 0, second = 0;
    int measuredCount = 0;
    int displayedCount = 0;
    uint8_t statusA = 0;
    uint8_t statusB = 0;
    uint8_t memNo1 = 0;
    uint8_t memNo2 = 0;
    int sampleSecs = 0;

    int rangeCode() const { return statusA & 0x03; }
    bool footCandles() const { return (statusA & 0x04) != 0; }
    int modeBits() const { return statusA & 0x38; }
    bool hold() const { return (statusA & 0x40) != 0; }
    int memIndicator() const { return statusB & 0x03; }
    int clockLine() const { return statusB & 0x0C; }
    bool negative() const { return (statusB & 0x10) != 0; }
    bool lowBattery() const { return (statusB & 0x20) != 0; }
};

bool startsWith(const uint8_t* data, size_t size, uint8_t b0, uint8_t b1);

// A frame shorter than 19 bytes is not a frame.
std::optional<LiveFrame> decodeLiveFrame(const uint8_t* data, size_t size);

// Offset of the first whole live frame in the data: a frame cut short by the start of the
// next one (a truncated answer followed by a good one) is skipped.
std::optional<size_t> findLiveFrame(const uint8_t* data, size_t size);

// The main number as the meter shows it, and the over-range rule of its unit and range.
struct LiveDisplay {
    QString text;     // formatted value or "OL", without the sign
    float value = 0;  // displayed value, after the over-range replacement
    float resolution = 0;
    bool overRange = false;
};
LiveDisplay formatLiveDisplay(int displayedCount, int rangeCode, bool footCandles);

struct MemoryRecord {
    QString time;  // "%m/%d/%y %H:%M:%S"
    float value = 0;
    std::optional<QString> mode;  // unknown mode bits leave the stored mode alone
    uint8_t unitFC = 0;
    uint8_t flagB = 0;
    float rangeFactor = 0;
};

struct MemoryFrame {
    bool empty = false;
    std::vector<MemoryRecord> records;
};

// Records are taken while they lie entirely inside the data.
MemoryFrame decodeMemoryFrame(const uint8_t* data, size_t size);
QString memoryModeText(int modeBits, bool* known);

struct LogHeader {
    int byteCount = 0;
};
std::optional<LogHeader> decodeLogHeader(const uint8_t* data, size_t size);

struct LogRecords {
    int markerCount = 0;
    std::vector<float> values;
    std::vector<MeterDateTime> startTimes;
    std::vector<int> rates;
    std::vector<uint8_t> units;
    std::vector<int> recStart;  // record count + 1 entries
    std::vector<int> gains;
    int recordCount() const { return static_cast<int>(startTimes.size()); }
};

LogRecords parseLogStream(const uint8_t* data, size_t size);

float logSampleValue(const uint8_t* sample, int* division);

}  // namespace km905
