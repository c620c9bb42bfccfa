// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <utility>
#include <vector>

#include "core/model/MeterTypes.h"

namespace km905::sim {

// Light level over time, in lux.
struct LevelCurve {
    enum class Kind { Constant, Sine, Points } kind = Kind::Sine;
    double base = 400;
    double amplitude = 80;
    double periodSecs = 120;
    std::vector<std::pair<double, double>> points;  // (seconds, lux), linear between
    double luxAt(double secs) const;
};

struct SimMemoryRecord {
    MeterDateTime time;
    int count = 0;
    int range = 2;
    bool fc = false;
    int modeBits = 0;
    bool negative = false;
};

struct SimLogSample {
    int count = 0;
    int range = 2;
    bool fc = false;
};

struct SimLogRecord {
    MeterDateTime start;
    int rate = 1;
    bool fc = false;
    std::vector<SimLogSample> samples;
};

struct Faults {
    std::optional<std::pair<double, double>> silence;  // seconds [from, to)
    bool silentAlways = false;
    int garbageEvery = 0;   // every Nth poll answer is noise
    int truncateEvery = 0;  // every Nth poll answer is cut short
    int truncateTo = 7;
    int streamStopAfter = -1;  // datalogger stream bytes sent before the meter goes quiet
    std::optional<std::pair<double, double>> unplug;  // at seconds, for seconds
};

struct Scenario {
    LevelCurve level;
    bool fc = false;
    bool autoRange = true;
    int range = 2;
    bool hold = false;
    int modeBits = 0;
    int clockLine = 0;  // 0 time, 1 day, 2 sampling, 3 year
    bool negative = false;
    bool lowBattery = false;
    int sampleSecs = 1;
    std::optional<MeterDateTime> clockStart;  // the meter's clock at start; unset: now
    std::vector<SimMemoryRecord> memory;
    std::vector<SimLogRecord> logger;
    int loggerPad = 0;  // trailing bytes after the last record
    Faults faults;
};

// Count and range the meter shows for a level; the range is chosen when autoRange.
int countFor(double lux, int range, bool fc);
int autoRangeFor(double lux, bool fc);

Scenario demoScenario();

// Reads the text form described by km905-sim --help; throws std::runtime_error with a line number.
Scenario parseScenario(const QString& text);
Scenario loadScenarioFile(const QString& path);
const char* scenarioHelp();

}  // namespace km905::sim
