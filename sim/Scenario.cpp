// SPDX-License-Identifier: GPL-3.0-or-later
#include "Scenario.h"

#include <QFile>
#include <QStringList>
#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>

namespace km905::sim {

double LevelCurve::luxAt(double t) const {
    switch (kind) {
        case Kind::Constant:
            return base;
        case Kind::Sine:
            return base + amplitude * std::sin(2 * M_PI * t / (periodSecs > 0 ? periodSecs : 1));
        case Kind::Points:
            if (points.empty()) return 0;
            if (t <= points.front().first) return points.front().second;
            for (size_t i = 1; i < points.size(); ++i) {
                if (t <= points[i].first) {
                    const auto [t0, v0] = points[i - 1];
                    const auto [t1, v1] = points[i];
                    return t1 > t0 ? v0 + (v1 - v0) * (t - t0) / (t1 - t0) : v1;
                }
            }
            return points.back().second;
    }
    return 0;
}

namespace {

// The meter's own view of its ranges, apart from the program's table so that each checks the
// other: lux per count, and the highest count each range shows before OL. A foot-candle
// count is worth 1.076 times a lux count of the same range.
struct MeterRange {
    double luxPerCount;
    int topLuxCount;
    int topFcCount;
};
constexpr MeterRange kMeterRanges[4] = {
    {100, 3999, 3801},  // 400k lux, 40k FC: OL from 38.02 KFC
    {0.1, 3999, 3802},  // 400 lux, 40 FC: OL from 38.03 FC
    {1, 3999, 3801},    // 4k lux, 400 FC: OL from 380.2 FC
    {10, 3999, 3801},   // 40k lux, 4k FC: OL from 3802 FC
};
constexpr double kFcCountWorth = 1.076;

}  // namespace

int countFor(double lux, int range, bool fc) {
    const MeterRange& r = kMeterRanges[range & 3];
    const double c = lux / (fc ? r.luxPerCount * kFcCountWorth : r.luxPerCount);
    return static_cast<int>(std::lround(std::clamp(std::fabs(c), 0.0, 9999.0)));
}

// Climbs 400, 4k, 40k, 400k lux until the count fits; OL only on the top range.
int autoRangeFor(double lux, bool fc) {
    for (int code : {1, 2, 3}) {
        const MeterRange& r = kMeterRanges[code];
        if (countFor(lux, code, fc) <= (fc ? r.topFcCount : r.topLuxCount)) return code;
    }
    return 0;
}

Scenario demoScenario() {
    Scenario s;
    s.level.kind = LevelCurve::Kind::Sine;
    s.level.base = 390;
    s.level.amplitude = 60;
    s.level.periodSecs = 90;
    auto rec = [](MeterDateTime t, double lux, bool fc, int mode) {
        SimMemoryRecord m;
        m.time = t;
        m.fc = fc;
        m.range = autoRangeFor(lux, fc);
        m.count = countFor(lux, m.range, fc);
        m.modeBits = mode;
        return m;
    };
    s.memory = {rec({2026, 12, 7, 10, 20, 30}, 250.0, false, 0x00),
                rec({2026, 12, 7, 10, 21, 5}, 1234.5, false, 0x20),
                rec({2026, 12, 7, 11, 2, 44}, 538.0, true, 0x18),
                rec({2026, 12, 7, 15, 40, 0}, 12.3, false, 0x28)};
    SimLogRecord a;
    a.start = {2026, 12, 6, 8, 0, 0};
    a.rate = 2;
    for (int i = 0; i < 120; ++i) {
        const double lux = 300 + 150 * std::sin(i / 12.0);
        const int r = autoRangeFor(lux, false);
        a.samples.push_back({countFor(lux, r, false), r, false});
    }
    SimLogRecord b;
    b.start = {2026, 12, 6, 14, 30, 0};
    b.rate = 5;
    b.fc = true;
    for (int i = 0; i < 60; ++i) {
        const double lux = 2000 + 40 * i;
        const int r = autoRangeFor(lux, true);
        b.samples.push_back({countFor(lux, r, true), r, true});
    }
    s.logger = {a, b};
    return s;
}

namespace {

[[noreturn]] void fail(int line, const QString& what) {
    throw std::runtime_error(QStringLiteral("line %1: %2").arg(line).arg(what).toStdString());
}

double number(const QStringList& w, int i, int line) {
    if (i >= w.size()) fail(line, QStringLiteral("missing value"));
    bool ok = false;
    const double v = w[i].toDouble(&ok);
    if (!ok) fail(line, QStringLiteral("not a number: ") + w[i]);
    return v;
}

// A whole-number setting; a value no int can hold is refused rather than converted.
int integer(const QStringList& w, int i, int line) {
    const double v = number(w, i, line);
    if (!(v >= INT_MIN && v <= INT_MAX)) fail(line, QStringLiteral("out of range: ") + w[i]);
    return static_cast<int>(v);
}

bool onOff(const QStringList& w, int line) {
    if (w.size() < 2) fail(line, QStringLiteral("missing on/off"));
    if (w[1] == "on") return true;
    if (w[1] == "off") return false;
    fail(line, QStringLiteral("expected on or off"));
}

bool unitWord(const QString& u, int line) {
    if (u == "lux") return false;
    if (u == "fc") return true;
    fail(line, QStringLiteral("unit must be lux or fc"));
}

int modeWord(const QString& m, int line) {
    static const std::pair<const char*, int> modes[] = {
        {"none", 0x00}, {"general", 0x00}, {"pmin", 0x10}, {"pmax", 0x18},
        {"max", 0x20},  {"min", 0x28},     {"rel", 0x30}};
    for (auto [name, bits] : modes)
        if (m.toLower() == QLatin1String(name)) return bits;
    fail(line, QStringLiteral("unknown mode ") + m);
}

MeterDateTime dateTime(const QStringList& w, int i, int line) {
    if (i + 1 >= w.size()) fail(line, QStringLiteral("expected YYYY-MM-DD HH:MM:SS"));
    const QStringList d = w[i].split('-');
    const QStringList t = w[i + 1].split(':');
    if (d.size() != 3 || t.size() != 3) fail(line, QStringLiteral("expected YYYY-MM-DD HH:MM:SS"));
    return {d[0].toInt(), d[1].toInt(), d[2].toInt(), t[0].toInt(), t[1].toInt(), t[2].toInt()};
}

}  // namespace

Scenario parseScenario(const QString& text) {
    Scenario s;
    s.memory.clear();
    s.logger.clear();
    int line = 0;
    for (const QString& raw : text.split('\n')) {
        ++line;
        const QString l = raw.section('#', 0, 0).trimmed();
        if (l.isEmpty()) continue;
        const QStringList w = l.split(' ', Qt::SkipEmptyParts);
        const QString& k = w[0];
        if (k == "unit") {
            if (w.size() < 2) fail(line, "missing unit");
            s.fc = unitWord(w[1], line);
        } else if (k == "range") {
            if (w.size() > 1 && w[1] == "auto") {
                s.autoRange = true;
            } else {
                s.autoRange = false;
                s.range = integer(w, 1, line) & 3;
            }
        } else if (k == "level") {
            if (w.size() < 2) fail(line, "missing level kind");
            if (w[1] == "const") {
                s.level.kind = LevelCurve::Kind::Constant;
                s.level.base = number(w, 2, line);
            } else if (w[1] == "sine") {
                s.level.kind = LevelCurve::Kind::Sine;
                s.level.base = number(w, 2, line);
                s.level.amplitude = number(w, 3, line);
                s.level.periodSecs = number(w, 4, line);
            } else if (w[1] == "points") {
                s.level.kind = LevelCurve::Kind::Points;
                s.level.points.clear();
                for (int i = 2; i + 1 < w.size(); i += 2)
                    s.level.points.emplace_back(number(w, i, line), number(w, i + 1, line));
            } else {
                fail(line, "level is const, sine or points");
            }
        } else if (k == "hold") {
            s.hold = onOff(w, line);
        } else if (k == "mode") {
            if (w.size() < 2) fail(line, "missing mode");
            s.modeBits = modeWord(w[1], line);
        } else if (k == "clockline") {
            static const QStringList lines = {"time", "day", "sampling", "year"};
            s.clockLine = lines.indexOf(w.value(1));
            if (s.clockLine < 0) fail(line, "clockline is time, day, sampling or year");
        } else if (k == "negative") {
            s.negative = onOff(w, line);
        } else if (k == "battery") {
            s.lowBattery = w.value(1) == "low";
        } else if (k == "interval") {
            s.sampleSecs = integer(w, 1, line);
        } else if (k == "clock") {
            s.clockStart = dateTime(w, 1, line);
        } else if (k == "memory") {
            SimMemoryRecord m;
            m.time = dateTime(w, 1, line);
            const double lux = number(w, 3, line);
            m.fc = unitWord(w.value(4, "lux"), line);
            m.modeBits = modeWord(w.value(5, "none"), line);
            m.negative = w.value(6) == "neg";
            m.range = autoRangeFor(lux, m.fc);
            m.count = countFor(lux, m.range, m.fc);
            s.memory.push_back(m);
        } else if (k == "logger") {
            SimLogRecord r;
            r.start = dateTime(w, 1, line);
            r.rate = integer(w, 3, line);
            r.fc = unitWord(w.value(4, "lux"), line);
            for (int i = 5; i < w.size(); ++i) {
                if (w[i] == "OL") {
                    r.samples.push_back({4000, 0, r.fc});
                    continue;
                }
                const double lux = number(w, i, line);
                const int range = autoRangeFor(lux, r.fc);
                r.samples.push_back({countFor(lux, range, r.fc), range, r.fc});
            }
            s.logger.push_back(r);
        } else if (k == "loggerpad") {
            s.loggerPad = integer(w, 1, line);
        } else if (k == "fault") {
            const QString f = w.value(1);
            if (f == "silence") {
                if (w.size() < 4)
                    s.faults.silentAlways = true;
                else
                    s.faults.silence = {{number(w, 2, line), number(w, 3, line)}};
            } else if (f == "garbage") {
                s.faults.garbageEvery = integer(w, 2, line);
            } else if (f == "truncate") {
                s.faults.truncateEvery = integer(w, 2, line);
                if (w.size() > 3) s.faults.truncateTo = integer(w, 3, line);
            } else if (f == "stopstream") {
                s.faults.streamStopAfter = integer(w, 2, line);
            } else if (f == "unplug") {
                s.faults.unplug = {{number(w, 2, line), number(w, 3, line)}};
            } else {
                fail(line, "unknown fault " + f);
            }
        } else {
            fail(line, "unknown keyword " + k);
        }
    }
    return s;
}

Scenario loadScenarioFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error((path + ": " + f.errorString()).toStdString());
    return parseScenario(QString::fromUtf8(f.readAll()));
}

const char* scenarioHelp() {
    // One setting a line, its meaning two spaces or more to the right, as man pages read it.
    return R"(Scenario file: one setting a line, '#' starts a comment.
  unit lux|fc                      unit shown at start (FCLUX toggles it)
  range auto|0|1|2|3               0=400k 1=400 2=4k 3=40k lux (RANGE steps it)
  level const LUX                  light level over time, in lux: steady,
  level sine BASE AMPLITUDE PERIOD_S  a sine around BASE,
  level points T1 LUX1 T2 LUX2 ...  or linear between points (seconds), then held
  hold on|off                      the display held
  negative on|off                  the reading's minus sign
  battery normal|low               the battery symbol
  mode none|max|min|pmax|pmin|rel  the mode shown
  clockline time|day|sampling|year  what the clock line shows
  interval SECONDS                 the meter's own sampling interval
  clock YYYY-MM-DD HH:MM:SS        the meter clock at start
  memory YYYY-MM-DD HH:MM:SS LUX [lux|fc] [MODE] [neg]  one stored reading
  logger YYYY-MM-DD HH:MM:SS RATE [lux|fc] LUX LUX ... | OL  one datalogger record
  loggerpad N                      N filler bytes after the last datalogger record
  fault silence [FROM_S TO_S]      no answers (always, or in a time window)
  fault garbage EVERY              every Nth poll answered with noise
  fault truncate EVERY [LEN]       every Nth poll answered with a cut frame
  fault stopstream AFTER           the datalogger stream stops after AFTER bytes
  fault unplug AT_S FOR_S          the port disappears for a while
)";
}

}  // namespace km905::sim
