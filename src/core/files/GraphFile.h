// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <vector>

#include "core/model/GraphRecord.h"
#include "core/model/MeterState.h"

namespace km905 {

struct GraphReadResult {
    enum class Status { Ok, InvalidFormat, Truncated } status = Status::Ok;
    GraphRecord record;  // on Truncated: the fields read so far, readings only those read
    int fieldsRead = 0;  // header count, N, readings, scale, unit, six time fields, interval
};

QByteArray writeGraphFile(const GraphRecord& g);
// A wrong magic, or N outside 0..33000, is an invalid format.
GraphReadResult readGraphFile(const QByteArray& bytes);

// The real-time recording as the real-time writer stores it.
GraphRecord graphFromRealtime(const MeterModel& m);
// The displayed-graph record, as the datalogger writer stores it.
GraphRecord graphFromDocument(const CDTDoc& doc);
// Stores what a read gave into the displayed-graph record; after a file that ended early
// only the fields read are changed, and the count is that of the readings read.
void graphToDocument(const GraphReadResult& r, CDTDoc& doc);

}  // namespace km905
