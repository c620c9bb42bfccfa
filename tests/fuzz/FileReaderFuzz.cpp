// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes into both file readers, the document update and the exports.
#include <cstddef>
#include <cstdint>

#include "core/files/GraphFile.h"
#include "core/files/ListFile.h"
#include "core/files/TextExport.h"

using namespace km905;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    static CDTDoc doc;
    const GraphReadResult g = readGraphFile(bytes);
    graphToDocument(g, doc);
    if (doc.fileCount() < 0 || doc.fileCount() > kReadingsCapacity) __builtin_trap();
    if (g.status == GraphReadResult::Status::Ok) {
        (void)loggerGraphExport(g.record);
        if (writeGraphFile(g.record) != bytes.left(47 + 4 * qsizetype(g.record.readings.size())) &&
            bytes.at(0) == 5)
            __builtin_trap();  // a short-form magic file reads back to the same bytes
    }
    const ListReadResult l = readListFile(bytes);
    listToDocument(l.records, doc);
    if (doc.m_memCount < 0 || doc.m_memCount > kMemCapacity) __builtin_trap();
    (void)listExport(l.records);
    (void)writeListFile(l.records);
    return 0;
}
