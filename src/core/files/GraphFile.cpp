// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/GraphFile.h"

#include "core/files/ArchiveIO.h"
#include "core/model/TimeText.h"

namespace km905 {

QByteArray writeGraphFile(const GraphRecord& g) {
    ArchiveWriter w;
    w.putString(kMagic);
    w.putInt32(g.headerCount);
    w.putInt32(static_cast<int32_t>(g.readings.size()));
    for (float v : g.readings) w.putFloat(v);
    w.putInt32(g.scale);
    w.putByte(g.unitFC);
    for (int v :
         {g.start.year, g.start.month, g.start.day, g.start.hour, g.start.minute, g.start.second})
        w.putInt32(v);
    w.putInt32(g.rateSecs);
    return w.bytes();
}

GraphReadResult readGraphFile(const QByteArray& bytes) {
    GraphReadResult out;
    using S = GraphReadResult::Status;
    ArchiveReader r(bytes);
    const auto magic = r.string();
    if (!magic || *magic != kMagic) {
        out.status = S::InvalidFormat;
        return out;
    }
    GraphRecord& g = out.record;
    auto truncated = [&] {
        out.status = S::Truncated;
        return out;
    };
    const auto header = r.int32();
    if (!header) return truncated();
    g.headerCount = *header;
    out.fieldsRead = 1;
    const auto n = r.int32();
    if (!n) return truncated();
    if (*n < 0 || *n > kReadingsCapacity) {
        out = GraphReadResult{};
        out.status = S::InvalidFormat;
        return out;
    }
    out.fieldsRead = 2;
    g.readings.reserve(static_cast<size_t>(*n));
    for (int i = 0; i < *n; ++i) {
        const auto v = r.float32();
        if (!v) return truncated();  // the count is what was read
        g.readings.push_back(*v);
    }
    out.fieldsRead = 3;
    const auto scale = r.int32();
    if (!scale) return truncated();
    g.scale = *scale;
    out.fieldsRead = 4;
    const auto unit = r.byte();
    if (!unit) return truncated();
    g.unitFC = *unit;
    out.fieldsRead = 5;
    int* fields[] = {&g.start.year,   &g.start.month,  &g.start.day, &g.start.hour,
                     &g.start.minute, &g.start.second, &g.rateSecs};
    for (int* f : fields) {
        const auto v = r.int32();
        if (!v) return truncated();
        *f = *v;
        ++out.fieldsRead;
    }
    return out;
}

GraphRecord graphFromRealtime(const MeterModel& m) {
    GraphRecord g;
    g.headerCount = m.view.m_frameCount;
    const int n = std::clamp(m.view.m_sampleIndex, 0, kReadingsCapacity);
    g.readings.assign(m.doc.m_readings.begin(), m.doc.m_readings.begin() + n);
    g.scale = m.doc.m_yGainDoc;
    g.unitFC = m.view.m_viewUnitFC;
    g.start = localDateTime(m.view.m_startTime);
    g.rateSecs = m.view.m_sampleRateMs / 1000;
    return g;
}

}  // namespace km905

namespace km905 {

GraphRecord graphFromDocument(const CDTDoc& d) {
    GraphRecord g = d.m_file;
    g.headerCount = d.fileCount();  // the datalogger writer stores the count twice
    return g;
}

void graphToDocument(const GraphReadResult& r, CDTDoc& d) {
    if (r.status == GraphReadResult::Status::InvalidFormat) return;
    const GraphRecord& g = r.record;
    const int f = r.fieldsRead;
    GraphRecord& shown = d.m_file;
    if (f >= 1) shown.headerCount = g.headerCount;
    if (f >= 2) shown.readings = g.readings;
    if (f >= 4) shown.scale = g.scale;
    if (f >= 5) shown.unitFC = g.unitFC;
    int* fields[] = {&shown.start.year,   &shown.start.month,  &shown.start.day, &shown.start.hour,
                     &shown.start.minute, &shown.start.second, &shown.rateSecs};
    const int values[] = {g.start.year,   g.start.month,  g.start.day, g.start.hour,
                          g.start.minute, g.start.second, g.rateSecs};
    for (int i = 0; i < 7; ++i)
        if (f >= 6 + i) *fields[i] = values[i];
}

}  // namespace km905
