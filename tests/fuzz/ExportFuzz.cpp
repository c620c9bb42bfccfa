// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever a graph or list file decodes to, through the text exports: each must be UTF-16LE
// with a byte-order mark, one CRLF-terminated line per entry after the title line.
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>

#include "core/files/GraphFile.h"
#include "core/files/ListFile.h"
#include "core/files/TextExport.h"
#include "core/model/TimeText.h"

using namespace km905;

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

// Decodes the export by hand and checks its shape; entries < 0 means the count is unknown.
// With numbered rows, row k starts with k and a tab.
void checkExport(const QByteArray& out, qsizetype entries, bool numbered) {
    check(out.size() % 2 == 0 && out.size() >= 2);
    check(static_cast<uint8_t>(out[0]) == 0xFF && static_cast<uint8_t>(out[1]) == 0xFE);
    QString text;
    for (qsizetype i = 2; i < out.size(); i += 2) {
        const char16_t u = static_cast<char16_t>(static_cast<uint8_t>(out[i]) |
                                                 static_cast<uint8_t>(out[i + 1]) << 8);
        text.append(QChar(u));
    }
    // Surrogates come in high-low pairs only.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate()) {
            check(i + 1 < text.size() && text[i + 1].isLowSurrogate());
            ++i;
        } else {
            check(!text[i].isLowSurrogate());
        }
    }
    check(text.endsWith(QStringLiteral("\r\n")));
    if (entries < 0) return;
    const QStringList rows = text.split(QStringLiteral("\r\n"));
    check(rows.size() == entries + 2 &&
          rows.back().isEmpty());  // title, entries, after the last CRLF
    if (!numbered) return;
    for (qsizetype k = 1; k <= entries; ++k)
        check(rows[k].startsWith(QString::number(k) + QLatin1Char('\t')));
}

bool hasLineBreak(const QString& s) {
    return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const GraphReadResult g = readGraphFile(bytes);
    if (g.status != GraphReadResult::Status::InvalidFormat) {
        const GraphRecord& r = g.record;
        checkExport(loggerGraphExport(r), static_cast<qsizetype>(r.readings.size()), true);

        // The real-time recording this file would have been saved from: the header count is
        // the frame count, frame k gave reading k, and frames past the readings have no slot.
        static MeterModel m;  // large; only what the export reads is set
        const int n = static_cast<int>(r.readings.size());
        std::copy(r.readings.begin(), r.readings.end(), m.doc.m_readings.begin());
        m.view.m_sampleIndex = n;
        m.view.m_frameCount = r.headerCount;
        const int frames = std::clamp(r.headerCount, 0, kFrameSlotCapacity);
        for (int k = 0; k < frames; ++k)
            m.frame.m_frameSlot[static_cast<size_t>(k)] = k < n ? k : -1;
        m.view.m_viewUnitFC = r.unitFC;
        m.view.m_startTime = toEpochSecs(r.start).value_or(0);
        m.view.m_sampleRateMs =
            static_cast<int>(std::clamp<qint64>(qint64{r.rateSecs} * 1000, INT_MIN, INT_MAX));
        checkExport(realtimeExport(m), std::min(frames, n), true);
    }

    const ListReadResult l = readListFile(bytes);
    const bool plain = std::none_of(l.records.begin(), l.records.end(), [](const ListRecord& rec) {
        return hasLineBreak(rec.mode) || hasLineBreak(rec.time);
    });
    checkExport(listExport(l.records), plain ? static_cast<qsizetype>(l.records.size()) : -1,
                plain);
    return 0;
}
