// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

namespace km905 {

// Marks an over-range ("OL") stored reading.
inline constexpr float kOverRange = 5000000.0f;

// Lux to foot-candles (1 / 10.76) and to kilo-foot-candles, for display.
inline constexpr double kLuxToFc = 0.0929368029739777;
inline constexpr double kLuxToKfc = 0.0000929368029739777;
// The value texts of the exports and the memory list take thousands of foot-candles with
// this longer literal, one unit in the last place above kLuxToKfc; kept so no text moves.
inline constexpr double kLuxToKfcExport = 0.00009293680297397771;
// The real-time plot, report and export convert in single precision.
inline constexpr float kLuxToFcSingle = 0.0929368f;
inline constexpr float kLuxToKfcSingle = 0.0000929368f;

// A light value as every text of the program writes it: two decimals, or from 1000 up two
// decimals of the thousands and the mark "K". The unit follows after the gap, the mark before
// it. thousands is the value over 1000 as each text computes it: the foot-candle factors above
// differ in the last place, and each text keeps its own so that no digit moves.
QString thousandsText(double value, double thousands, const char* gap = "", const char* unit = "",
                      char mark = 'K');
// The gaps before the unit are the design's own: none in the exports and before the real-time
// readout's lux, one in the readouts, two in the statistics bar.
inline constexpr const char* kReadoutGap = " ";
inline constexpr const char* kStatisticsGap = "  ";

// A foot-candle count times its range factor, to lux: the foot-candle ranges use the
// factors of the lux range one decade up.
inline constexpr double kFcCountToLux = 1.076;

struct MeterDateTime {
    int year = 0;  // four digits
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const MeterDateTime&) const = default;
};

inline int fromBcd(uint8_t b) {
    return (b >> 4) * 10 + (b & 0x0F);
}

inline uint8_t toBcd(int v) {
    return static_cast<uint8_t>(((v / 10) % 10) << 4 | (v % 10));
}

// One row of the range table shared by live frames, memory records and datalogger samples.
struct RangeInfo {
    const char* luxLabel;
    const char* fcLabel;
    float luxFactor;      // counts to lux
    float luxDispFactor;  // displayed count to the lux or kilolux shown
    float fcDispFactor;   // displayed count to the foot-candles or kilo-FC shown
    float scaleUnit;
    int division;  // a tenth of the range, in lux
};

const RangeInfo& rangeInfo(int code);  // code is masked to 0..3

// Count to stored lux; foot-candle counts are converted on arrival.
inline float countToLux(int count, float factor, bool fc) {
    const float v = static_cast<float>(count) * factor;
    return fc ? static_cast<float>(v * kFcCountToLux) : v;
}

}  // namespace km905
