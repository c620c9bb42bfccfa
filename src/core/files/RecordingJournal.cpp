// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/RecordingJournal.h"

#include <QtEndian>
#include <cstring>

#include "core/model/TimeText.h"

namespace km905 {

namespace {
constexpr char kJournalMagic[8] = {'K', 'M', '9', '0', '5', 'J', 'N', 'L'};
constexpr char kFromFrame = 'F';
constexpr char kHeld = 'H';

template <typename T>
void put(QByteArray& out, T v) {
    char b[sizeof(T)];
    qToLittleEndian(v, b);
    out.append(b, sizeof(T));
}

template <typename T>
T get(const char* p) {
    return qFromLittleEndian<T>(p);
}
}  // namespace

QByteArray journalHeaderBytes(const JournalHeader& h) {
    QByteArray out(kJournalMagic, sizeof kJournalMagic);
    put<uint16_t>(out, kJournalVersion);
    put<qint64>(out, h.startTime);
    put<int32_t>(out, h.sampleRateMs);
    return out;
}

QByteArray journalRecordBytes(const JournalSample& s) {
    QByteArray out;
    uint32_t bits = 0;
    std::memcpy(&bits, &s.reading, sizeof bits);
    put<uint32_t>(out, bits);
    out.append(s.fromFrame ? kFromFrame : kHeld);
    out.append(static_cast<char>(s.unitFC));
    put<int32_t>(out, s.yGain);
    return out;
}

std::optional<JournalContents> readJournal(const QByteArray& bytes) {
    if (bytes.size() < kJournalHeaderSize) return std::nullopt;
    const char* p = bytes.constData();
    if (std::memcmp(p, kJournalMagic, sizeof kJournalMagic) != 0) return std::nullopt;
    if (get<uint16_t>(p + 8) != kJournalVersion) return std::nullopt;
    JournalContents j;
    j.header.startTime = get<qint64>(p + 10);
    j.header.sampleRateMs = get<int32_t>(p + 18);
    // Run records at whole seconds only, from 1 s up.
    if (j.header.sampleRateMs < 1000 || j.header.sampleRateMs % 1000 != 0) return std::nullopt;

    int frames = 0;
    for (qsizetype at = kJournalHeaderSize; at + kJournalRecordSize <= bytes.size();
         at += kJournalRecordSize) {
        const char* r = p + at;
        const char kind = r[4];
        const auto unit = static_cast<uint8_t>(r[5]);
        // A zero-filled or scrambled tail, as a power cut can leave, ends the recording here.
        if ((kind != kFromFrame && kind != kHeld) || unit > 1) break;
        const bool fromFrame = kind == kFromFrame;
        // Never more than a recording can hold.
        if (static_cast<int>(j.samples.size()) >= kMaxSampleIndex) break;
        if (fromFrame && frames >= kMaxFrameCount) break;
        JournalSample s;
        const uint32_t bits = get<uint32_t>(r);
        std::memcpy(&s.reading, &bits, sizeof bits);
        s.fromFrame = fromFrame;
        s.unitFC = unit;
        s.yGain = get<int32_t>(r + 6);
        frames += fromFrame ? 1 : 0;
        j.samples.push_back(s);
    }
    return j;
}

JournalSample journalSampleOf(const MeterModel& m, int index, bool fromFrame) {
    JournalSample s;
    if (index >= 0 && index < kReadingsCapacity)
        s.reading = m.doc.m_readings[static_cast<size_t>(index)];
    s.fromFrame = fromFrame;
    s.unitFC = m.view.m_viewUnitFC == 1 ? 1 : 0;
    s.yGain = m.doc.m_yGainDoc;
    return s;
}

QString restoreQuestion(const JournalContents& j) {
    return kRestoreQuestion.arg(formatLocalTime(j.header.startTime, kStoredTimeFormat))
        .arg(j.samples.size());
}

void restoreRecording(const JournalContents& j, MeterModel& m) {
    LinkState& f = m.frame;
    ViewState& v = m.view;
    CDTDoc& d = m.doc;
    int frames = 0;
    for (size_t i = 0; i < j.samples.size(); ++i) {
        const JournalSample& s = j.samples[i];
        d.m_readings[i] = s.reading;
        if (s.fromFrame) f.m_frameSlot[static_cast<size_t>(frames++)] = static_cast<int>(i);
    }
    const int n = static_cast<int>(j.samples.size());
    v.m_sampleIndex = n;
    d.m_curIndex = n;
    v.m_frameCount = frames;
    v.m_startTime = j.header.startTime;
    v.m_sampleRateMs = j.header.sampleRateMs;
    v.m_sampleRateText = QString::number(j.header.sampleRateMs / 1000);
    v.m_startTimeText = formatLocalTime(j.header.startTime, kStoredTimeFormat);
    v.m_dataNoText = QString::asprintf("%d", frames);
    if (!j.samples.empty()) {
        v.m_viewUnitFC = j.samples.back().unitFC;
        d.m_yGainDoc = j.samples.back().yGain;
    }
    // Stopped and unsaved: Save and Print work, and the next Run offers to save it first.
    m.rec.restoredStopped();
    f.m_graphUsed = 1;
}

}  // namespace km905
