// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/ListFile.h"

#include "core/files/ArchiveIO.h"

namespace km905 {

QByteArray writeListFile(const std::vector<ListRecord>& records) {
    ArchiveWriter w;
    w.putString(kMagic);
    w.putInt32(static_cast<int32_t>(records.size()));
    for (const ListRecord& r : records) {
        w.putFloat(r.value);
        w.putByte(r.unitFC);
        w.putString(r.mode);
        w.putByte(r.sign);
        w.putString(r.time);
    }
    return w.bytes();
}

ListReadResult readListFile(const QByteArray& bytes) {
    ListReadResult out;
    ArchiveReader r(bytes);
    const auto magic = r.string();
    if (!magic || *magic != kMagic) {
        out.status = ListReadResult::Status::InvalidFormat;
        return out;
    }
    const auto count = r.int32();
    if (!count) {
        out.status = ListReadResult::Status::Truncated;
        return out;
    }
    if (*count < 0 || *count > kListCapacity) {
        out.status = ListReadResult::Status::InvalidFormat;
        return out;
    }
    for (int k = 0; k < *count; ++k) {
        ListRecord rec;
        const auto value = r.float32();
        const auto unit = value ? r.byte() : std::nullopt;
        const auto mode = unit ? r.string() : std::nullopt;
        const auto sign = mode ? r.byte() : std::nullopt;
        const auto time = sign ? r.string() : std::nullopt;
        if (!time) {
            out.status = ListReadResult::Status::Truncated;
            return out;
        }
        rec.value = *value;
        rec.unitFC = *unit;
        rec.mode = *mode;
        rec.sign = *sign;
        rec.time = *time;
        out.records.push_back(std::move(rec));
    }
    return out;
}

std::vector<ListRecord> listFromDocument(const CDTDoc& doc) {
    std::vector<ListRecord> out;
    const int n = std::clamp(doc.m_memCount, 0, kMemCapacity);
    for (int k = 0; k < n; ++k) {
        const auto i = static_cast<size_t>(k);
        out.push_back({doc.m_memValues[i], doc.m_memUnitFC[i], doc.m_memModes[i], doc.m_memFlagB[i],
                       doc.m_memTimes[i]});
    }
    return out;
}

void listToDocument(const std::vector<ListRecord>& records, CDTDoc& doc) {
    const size_t n = std::min<size_t>(records.size(), kMemCapacity);
    for (size_t i = 0; i < n; ++i) {
        doc.m_memValues[i] = records[i].value;
        doc.m_memUnitFC[i] = records[i].unitFC;
        doc.m_memModes[i] = records[i].mode;
        doc.m_memFlagB[i] = records[i].sign;
        doc.m_memTimes[i] = records[i].time;
    }
    doc.m_memCount = static_cast<int>(n);
}

}  // namespace km905
