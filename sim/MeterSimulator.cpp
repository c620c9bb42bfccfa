// SPDX-License-Identifier: GPL-3.0-or-later
#include "MeterSimulator.h"

#include <QDateTime>

namespace km905::sim {

QString keyName(uint8_t key) {
    switch (key) {
        case kKeyHold:
            return "HOLD";
        case kKeyMaxMin:
            return "MAXMIN";
        case kKeyRange:
            return "RANGE";
        case kKeyFcLux:
            return "FCLUX";
        case kKeyLoad:
            return "LOAD";
        case kKeyLoadDouble:
            return "LOAD double";
        case kKeyMemSet:
            return "MEMSET";
        case kKeyMemSetDouble:
            return "MEMSET double";
        case kKeyPeak:
            return "PEAK";
        case kKeyPeakDouble:
            return "PEAK double";
        case kKeyRel:
            return "REL";
        case kKeyRelDouble:
            return "REL double";
        case kKeyEndOfLink:
            return "end of link";
        default:
            return QString::asprintf("unknown key 0x%02X", key);
    }
}

MeterSimulator::MeterSimulator(Scenario scenario) : m_s(std::move(scenario)) {
    if (!m_s.clockStart) {
        const QDateTime now = QDateTime::currentDateTime();
        m_s.clockStart = MeterDateTime{now.date().year(), now.date().month(),  now.date().day(),
                                       now.time().hour(), now.time().minute(), now.time().second()};
    }
}

void MeterSimulator::note(const QString& line, qint64 tMs) {
    if (m_keepLog) m_log.push_back(line);
    if (m_onLog) m_onLog(QString::asprintf("%9.3f ", tMs / 1000.0) + line);
}

bool MeterSimulator::silentAt(qint64 tMs) const {
    if (m_s.faults.silentAlways) return true;
    if (!m_s.faults.silence) return false;
    const double t = tMs / 1000.0;
    return t >= m_s.faults.silence->first && t < m_s.faults.silence->second;
}

bool MeterSimulator::unpluggedAt(qint64 tMs) const {
    if (!m_s.faults.unplug) return false;
    const double t = tMs / 1000.0;
    return t >= m_s.faults.unplug->first &&
           t < m_s.faults.unplug->first + m_s.faults.unplug->second;
}

MeterDateTime MeterSimulator::clockAt(qint64 tMs) const {
    const MeterDateTime& c = *m_s.clockStart;
    QDateTime start(QDate(c.year, c.month, c.day), QTime(c.hour, c.minute, c.second), Qt::UTC);
    const QDateTime now = start.addMSecs(tMs);
    return {now.date().year(), now.date().month(),  now.date().day(),
            now.time().hour(), now.time().minute(), now.time().second()};
}

int MeterSimulator::currentRange(qint64 tMs) const {
    if (m_s.hold && m_heldRange >= 0) return m_heldRange;
    return m_s.autoRange ? autoRangeFor(m_s.level.luxAt(tMs / 1000.0), m_s.fc) : m_s.range;
}

int MeterSimulator::readingCount(qint64 tMs, int range) const {
    if (m_s.hold && m_heldCount >= 0) return m_heldCount;
    return countFor(m_s.level.luxAt(tMs / 1000.0), range, m_s.fc);
}

QByteArray MeterSimulator::liveFrame(qint64 tMs) const {
    const int range = currentRange(tMs);
    const int count = readingCount(tMs, range);
    const MeterDateTime c = clockAt(tMs);
    const int weekday = QDate(c.year, c.month, c.day).dayOfWeek();
    QByteArray f(19, '\0');
    auto put = [&f](int i, int v) { f[i] = static_cast<char>(static_cast<uint8_t>(v)); };
    put(0, 0xAA);
    put(1, 0xDD);
    put(3, toBcd(c.year % 100));
    put(4, toBcd(weekday));
    put(5, toBcd(c.month));
    put(6, toBcd(c.day));
    put(7, toBcd(c.hour));
    put(8, toBcd(c.minute));
    put(9, toBcd(c.second));
    put(10, count / 100);
    put(11, count % 100);
    put(12, count / 100);
    put(13, count % 100);
    put(14, range | (m_s.fc ? 0x04 : 0) | (m_s.modeBits & 0x38) | (m_s.hold ? 0x40 : 0));
    const int memInd = m_recordingLog ? 3 : m_memIndicator;
    put(15, memInd | ((m_s.clockLine & 3) << 2) | (m_s.negative ? 0x10 : 0) |
                (m_s.lowBattery ? 0x20 : 0));
    put(16, m_memNo1);
    put(17, m_memNo2);
    put(18, toBcd(m_s.sampleSecs));
    return f;
}

QByteArray MeterSimulator::memoryFrame() const {
    QByteArray f(1352, '\0');
    f[0] = static_cast<char>(0xBB);
    f[1] = static_cast<char>(0x88);
    for (int k = 0; k < 99; ++k) {
        char* r = f.data() + 3 + 13 * k;
        if (k >= static_cast<int>(m_s.memory.size())) {
            std::fill(r, r + 13, static_cast<char>(0xFF));
            continue;
        }
        const SimMemoryRecord& m = m_s.memory[static_cast<size_t>(k)];
        const uint8_t rec[13] = {
            toBcd(m.time.year % 100),
            0,
            toBcd(m.time.month),
            toBcd(m.time.day),
            toBcd(m.time.hour),
            toBcd(m.time.minute),
            toBcd(m.time.second),
            0,
            static_cast<uint8_t>(m.count / 100),
            static_cast<uint8_t>(m.count % 100),
            static_cast<uint8_t>((m.range & 3) | (m.fc ? 4 : 0) | (m.modeBits & 0x38)),
            static_cast<uint8_t>(m.negative ? 0x10 : 0),
            0};
        std::copy(rec, rec + 13, r);
    }
    return f;
}

QByteArray MeterSimulator::dataloggerStream() const {
    QByteArray body;
    for (const SimLogRecord& r : m_s.logger) {
        const uint8_t h[13] = {0xAA,
                               0x56,
                               0,
                               static_cast<uint8_t>(r.rate),
                               static_cast<uint8_t>(r.fc ? 1 : 0),
                               0,
                               toBcd(r.start.year % 100),
                               0,
                               toBcd(r.start.month),
                               toBcd(r.start.day),
                               toBcd(r.start.hour),
                               toBcd(r.start.minute),
                               toBcd(r.start.second)};
        body.append(reinterpret_cast<const char*>(h), 13);
        for (const SimLogSample& s : r.samples) {
            body.append(static_cast<char>(s.count / 100));
            body.append(static_cast<char>(s.count % 100));
            body.append(static_cast<char>((s.range & 3) | (s.fc ? 4 : 0)));
        }
    }
    body.append(QByteArray(m_s.loggerPad, '\0'));
    const int n = std::min<int>(static_cast<int>(body.size()), 0xFFFF);
    body.truncate(n);
    QByteArray out;
    out.append(static_cast<char>(0xAA));
    out.append(static_cast<char>(0xCC));
    out.append('\0');
    out.append(static_cast<char>(n >> 8));
    out.append(static_cast<char>(n & 0xFF));
    out.append(body);
    return out;
}

QByteArray MeterSimulator::answerPoll(qint64 tMs) {
    ++m_polls;
    QByteArray frame = liveFrame(tMs);
    if (m_s.faults.garbageEvery > 0 && m_polls % m_s.faults.garbageEvery == 0) {
        for (auto& b : frame) b = static_cast<char>(m_rng() & 0xFF);
        frame[0] = 0x5A;  // never a frame start
    } else if (m_s.faults.truncateEvery > 0 && m_polls % m_s.faults.truncateEvery == 0) {
        frame.truncate(std::clamp(m_s.faults.truncateTo, 0, 18));
    }
    return frame;
}

void MeterSimulator::logSamplesBefore(qint64 tMs) {
    if (!m_recordingLog || m_s.logger.empty()) return;
    SimLogRecord& r = m_s.logger.back();
    for (; m_nextLogSampleMs < tMs; m_nextLogSampleMs += r.rate * 1000LL) {
        const int range = currentRange(m_nextLogSampleMs);
        r.samples.push_back({readingCount(m_nextLogSampleMs, range), range, m_s.fc});
    }
}

QByteArray MeterSimulator::receive(const QByteArray& bytes, qint64 tMs) {
    // Keys only change the meter between commands, so its own recording catches up first,
    // with the state it had meanwhile.
    logSamplesBefore(tMs);
    QByteArray out;
    for (char ch : bytes) {
        const auto b = static_cast<uint8_t>(ch);
        if (m_keyState == 2) {
            m_keyState = 0;
            handleKey(b, tMs);
            continue;
        }
        if (m_keyState == 1) {
            m_keyState = b == 0x83 ? 2 : 0;
            if (m_keyState) continue;
        }
        if (b == 0x87) {
            m_keyState = 1;
            continue;
        }
        const bool silent = silentAt(tMs);
        switch (b) {
            case 0x11:
                note(silent ? "poll (silent)" : "poll", tMs);
                if (!silent) out.append(answerPoll(tMs));
                break;
            case 0x12:
                note("memory download request", tMs);
                if (!silent) out.append(memoryFrame());
                break;
            case 0x13: {
                note("datalogger download request", tMs);
                if (silent) break;
                QByteArray s = dataloggerStream();
                if (m_s.faults.streamStopAfter >= 0)
                    s.truncate(std::min<int>(s.size(), 5 + m_s.faults.streamStopAfter));
                out.append(s);
                break;
            }
            default:
                note(QString::asprintf("unknown byte 0x%02X", b), tMs);
                break;
        }
    }
    return out;
}

void MeterSimulator::handleKey(uint8_t key, qint64 tMs) {
    note("key " + keyName(key), tMs);
    switch (key) {
        case kKeyHold:
            m_heldRange = m_heldCount = -1;
            if (!m_s.hold) {
                m_heldRange = currentRange(tMs);
                m_heldCount = readingCount(tMs, m_heldRange);
            }
            m_s.hold = !m_s.hold;
            break;
        case kKeyMaxMin:
            m_s.modeBits = m_s.modeBits == 0x20 ? 0x28 : m_s.modeBits == 0x28 ? 0x00 : 0x20;
            break;
        case kKeyRange: {
            // Manual ranging steps up from the range in use: 400, 4k, 40k, 400k, 400...
            const int cur = m_s.autoRange ? currentRange(tMs) : m_s.range;
            m_s.range = cur == 3 ? 0 : cur == 0 ? 1 : cur + 1;
            m_s.autoRange = false;
            break;
        }
        case kKeyFcLux:
            m_s.fc = !m_s.fc;
            break;
        case kKeyLoad:
            // Shows the stored memory numbers one after another.
            m_memIndicator = 1;
            m_memNo1 = m_s.memory.empty() ? 0 : m_memNo1 % static_cast<int>(m_s.memory.size()) + 1;
            break;
        case kKeyLoadDouble:
            m_memIndicator = 0;
            break;
        case kKeyMemSet:
            if (m_s.memory.size() < 99) {
                SimMemoryRecord m;
                m.time = clockAt(tMs);
                m.range = currentRange(tMs);
                m.count = readingCount(tMs, m.range);
                m.fc = m_s.fc;
                m.modeBits = m_s.modeBits;
                m.negative = m_s.negative;
                m_s.memory.push_back(m);
            }
            m_memIndicator = 2;
            m_memNo2 = static_cast<int>(m_s.memory.size());
            break;
        case kKeyMemSetDouble:
            // Starts or stops a datalogger record of the meter's own.
            m_recordingLog = !m_recordingLog;
            if (m_recordingLog) {
                SimLogRecord r;
                r.start = clockAt(tMs);
                r.rate = std::max(1, m_s.sampleSecs);
                r.fc = m_s.fc;
                m_s.logger.push_back(r);
                m_nextLogSampleMs = tMs;
                logSamplesBefore(tMs + 1);
            }
            break;
        case kKeyPeak:
            m_s.modeBits = m_s.modeBits == 0x18 ? 0x10 : m_s.modeBits == 0x10 ? 0x00 : 0x18;
            break;
        case kKeyPeakDouble:
            m_s.clockLine = (m_s.clockLine + 1) & 3;
            break;
        case kKeyRel:
            m_s.modeBits = m_s.modeBits == 0x30 ? 0x00 : 0x30;
            break;
        case kKeyRelDouble: {
            static const int steps[] = {1, 2, 5, 10, 30, 60};
            int next = steps[0];
            for (int s : steps)
                if (s > m_s.sampleSecs) {
                    next = s;
                    break;
                }
            m_s.sampleSecs = next;
            break;
        }
        case kKeyEndOfLink:
            ++m_endOfLink;
            break;
        default:
            break;
    }
}

}  // namespace km905::sim
