// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/FrameDecoders.h"

#include <cmath>

#include "core/model/TimeText.h"

namespace km905 {

bool startsWith(const uint8_t* data, size_t size, uint8_t b0, uint8_t b1) {
    return size >= 2 && data[0] == b0 && data[1] == b1;
}

std::optional<LiveFrame> decodeLiveFrame(const uint8_t* d, size_t size) {
    if (size < static_cast<size_t>(kLiveFrameSize) || !startsWith(d, size, 0xAA, 0xDD))
        return std::nullopt;
    LiveFrame f;
    f.year = 2000 + fromBcd(d[3]);
    f.clockAux = fromBcd(d[4]);
    f.month = fromBcd(d[5]);
    f.day = fromBcd(d[6]);
    f.hour = fromBcd(d[7]);
    f.minute = fromBcd(d[8]);
    f.second = fromBcd(d[9]);
    f.measuredCount = d[10] * 100 + d[11];
    f.displayedCount = d[12] * 100 + d[13];
    f.statusA = d[14];
    f.statusB = d[15];
    f.memNo1 = d[16];
    f.memNo2 = d[17];
    f.sampleSecs = fromBcd(d[18]);
    return f;
}

std::optional<size_t> findLiveFrame(const uint8_t* d, size_t size) {
    auto frameStart = [&](size_t p) { return p + 1 < size && d[p] == 0xAA && d[p + 1] == 0xDD; };
    for (size_t p = 0; p + kLiveFrameSize <= size; ++p) {
        if (!frameStart(p)) continue;
        bool cut = false;
        for (size_t q = p + 2; q < p + kLiveFrameSize && !cut; ++q) cut = frameStart(q);
        if (!cut) return p;
    }
    return std::nullopt;
}

namespace {
enum class Fmt { OneDecimal, TwoDecimals, Integer };
// Each limit is given as a displayed value; it is decided here on the displayed count,
// which is exact, where the single-precision value is not (3803 x 0.01f is 38.0299988, below
// the 38.03 of the 40 FC range).
struct DisplayRule {
    Fmt fmt;
    float resolution;
    int olCount;    // displayed count from which the meter shows OL
    float olValue;  // < 0: the value stays as it was
};
constexpr DisplayRule kFcRules[4] = {
    {Fmt::TwoDecimals, 1.0f, 3802, 40.0f},  // 38.02
    {Fmt::TwoDecimals, 1.0f, 3803, 40.0f},  // 38.03
    {Fmt::OneDecimal, 0.1f, 3802, 400.0f},  // 380.2
    {Fmt::Integer, 0.01f, 3802, 4000.0f},   // 3802
};
constexpr DisplayRule kLuxRules[4] = {
    {Fmt::OneDecimal, 0.1f, 4000, -1.0f},   // 400
    {Fmt::OneDecimal, 0.1f, 4000, -1.0f},   // 400
    {Fmt::Integer, 0.01f, 4000, -1.0f},     // 4000
    {Fmt::TwoDecimals, 1.0f, 4000, -1.0f},  // 40
};

QString formatValue(Fmt fmt, float v) {
    switch (fmt) {
        case Fmt::OneDecimal:
            return QString::asprintf("%.1f", static_cast<double>(v));
        case Fmt::TwoDecimals:
            return QString::asprintf("%.2f", static_cast<double>(v));
        case Fmt::Integer:
            return QString::asprintf("%d", static_cast<int>(v));
    }
    return {};
}

bool validDay(uint8_t bcd) {
    const int day = fromBcd(bcd);
    return day >= 1 && day <= 31;
}

bool pairAt(const uint8_t* d, size_t size, size_t p) {
    return p + 1 < size && d[p] == 0xAA && d[p + 1] == 0x56;
}
}  // namespace

LiveDisplay formatLiveDisplay(int displayedCount, int rangeCode, bool footCandles) {
    const RangeInfo& r = rangeInfo(rangeCode);
    const DisplayRule& rule = footCandles ? kFcRules[rangeCode & 3] : kLuxRules[rangeCode & 3];
    LiveDisplay out;
    out.value =
        static_cast<float>(displayedCount) * (footCandles ? r.fcDispFactor : r.luxDispFactor);
    out.resolution = rule.resolution;
    out.text = formatValue(rule.fmt, out.value);
    if (displayedCount >= rule.olCount) {
        out.overRange = true;
        out.text = QStringLiteral("OL");
        if (rule.olValue >= 0) out.value = rule.olValue;
    }
    return out;
}

QString memoryModeText(int modeBits, bool* known) {
    *known = true;
    switch (modeBits & 0x38) {
        case 0x00:
            return QStringLiteral("General");
        case 0x10:
            return QStringLiteral("Pmin");
        case 0x18:
            return QStringLiteral("Pmax");
        case 0x20:
            return QStringLiteral("Max");
        case 0x28:
            return QStringLiteral("Min");
        case 0x30:
            return QStringLiteral("Rel");
        default:
            *known = false;
            return {};
    }
}

MemoryFrame decodeMemoryFrame(const uint8_t* d, size_t size) {
    MemoryFrame out;
    for (int k = 0; 3 + kMemoryRecordSize * k <= kMemoryLastRecordOffset; ++k) {
        if (size < 7 || !validDay(d[6])) {
            out.empty = true;
            break;
        }
        const size_t o = 3 + static_cast<size_t>(kMemoryRecordSize) * k;
        if (o + kMemoryRecordSize > size) break;  // the frame ended early
        const uint8_t* r = d + o;
        if (!validDay(r[3])) break;
        MemoryRecord rec;
        MeterDateTime t{2000 + fromBcd(r[0]), fromBcd(r[2]), fromBcd(r[3]),
                        fromBcd(r[4]),        fromBcd(r[5]), fromBcd(r[6])};
        rec.time = formatMeterTime(t, kStoredTimeFormat);
        const int code = r[10] & 3;
        rec.rangeFactor = rangeInfo(code).luxFactor;
        bool known = false;
        QString mode = memoryModeText(r[10], &known);
        if (known) rec.mode = mode;
        rec.unitFC = (r[10] & 0x04) ? 1 : 0;
        // The limit, count x factor above factor x 4000, is decided on the count: it applies
        // in the unit the meter measured, so a foot-candle reading near the top of its range
        // is not lost to the lux conversion.
        const int count = r[8] * 100 + r[9];
        rec.value =
            count > kOverRangeCount ? kOverRange : countToLux(count, rec.rangeFactor, rec.unitFC);
        rec.flagB = (r[11] & 0x10) ? 1 : 0;
        out.records.push_back(std::move(rec));
    }
    return out;
}

std::optional<LogHeader> decodeLogHeader(const uint8_t* d, size_t size) {
    if (size < static_cast<size_t>(kLogHeaderSize) || !startsWith(d, size, 0xAA, 0xCC))
        return std::nullopt;
    return LogHeader{d[3] * 256 + d[4]};
}

float logSampleValue(const uint8_t* s, int* division) {
    const RangeInfo& r = rangeInfo(s[2] & 3);
    *division = r.division;
    const int count = s[0] * 100 + s[1];
    // At or above factor x 4000, decided on the count as for memory records.
    if (count >= kOverRangeCount) return kOverRange;
    return countToLux(count, r.luxFactor, (s[2] & 0x04) != 0);
}

LogRecords parseLogStream(const uint8_t* d, size_t size) {
    LogRecords out;
    std::vector<size_t> headers;
    for (size_t p = 0; p + 1 < size; ++p) {
        if (!pairAt(d, size, p) || pairAt(d, size, p + 2)) continue;
        ++out.markerCount;
        bool clean = p + 15 < size;
        for (size_t q = p + 2; clean && q <= p + 14; ++q) clean = !pairAt(d, size, q);
        if (clean) headers.push_back(p);
    }
    out.recStart.push_back(0);
    for (size_t k = 0; k < headers.size(); ++k) {
        const uint8_t* h = d + headers[k];
        out.rates.push_back(h[3]);
        out.units.push_back(h[4]);
        out.startTimes.push_back({2000 + fromBcd(h[6]), fromBcd(h[8]), fromBcd(h[9]),
                                  fromBcd(h[10]), fromBcd(h[11]), fromBcd(h[12])});
        const size_t end = k + 1 < headers.size() ? headers[k + 1] : size;
        int gain = 0;
        for (size_t s = headers[k] + 13; s + 3 <= end; s += 3)
            out.values.push_back(logSampleValue(d + s, &gain));
        out.gains.push_back(gain);
        out.recStart.push_back(static_cast<int>(out.values.size()));
    }
    return out;
}

}  // namespace km905
