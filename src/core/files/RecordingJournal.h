// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "core/model/MeterState.h"

namespace km905 {

// The journal of a running recording, little-endian, no padding:
//   header  0: "KM905JNL"  8: version u16 = 1  10: start time i64 (s since 1970)
//          18: sampling period i32 (ms)
//   records from 22, one per stored sample, 10 bytes each:
//           0: reading f32 (lux)  4: 'F' from a frame / 'H' held  5: unit (0 lux, 1 FC)
//           6: Y gain i32
// Unit and gain travel with every sample: a range or unit key changes them mid-recording
// and the graph file takes the latest.
inline constexpr int kJournalHeaderSize = 22;
inline constexpr int kJournalRecordSize = 10;
inline constexpr uint16_t kJournalVersion = 1;
// The longest journal a recording can leave: the sampling tick stops at kMaxSampleIndex
// samples. Nothing past it is ever read.
inline constexpr qint64 kJournalMaxSize =
    kJournalHeaderSize + qint64{kMaxSampleIndex} * kJournalRecordSize;

struct JournalHeader {
    qint64 startTime = 0;
    int32_t sampleRateMs = 0;
};

struct JournalSample {
    float reading = 0;
    bool fromFrame = false;
    uint8_t unitFC = 0;
    int32_t yGain = 0;
};

struct JournalContents {
    JournalHeader header;
    std::vector<JournalSample> samples;
};

QByteArray journalHeaderBytes(const JournalHeader& h);
QByteArray journalRecordBytes(const JournalSample& s);

// Nothing when the header cannot be read: too short, another magic or version, or a period
// Run does not offer (whole seconds only). A cut or damaged tail ends the samples: every
// whole, sound record before it is kept.
std::optional<JournalContents> readJournal(const QByteArray& bytes);

// What the model holds for the sample in slot `index`.
JournalSample journalSampleOf(const MeterModel& m, int index, bool fromFrame);

inline const QString kRestoreQuestion =
    QStringLiteral("A recording was interrupted on %1 with %2 samples. Restore it?");
QString restoreQuestion(const JournalContents& j);

// Puts the journal's recording into the real-time view as a stopped, unsaved recording.
void restoreRecording(const JournalContents& j, MeterModel& m);

}  // namespace km905
