// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/link/LoggerStream.h"

#include <algorithm>

#include "core/link/FrameDecoders.h"

namespace km905 {

void storeLoggerStream(MeterModel& m, const uint8_t* data, size_t size) {
    const LogRecords recs = parseLogStream(data, size);
    CDTDoc& doc = m.doc;
    doc.m_logValues = recs.values;
    // One value place per downloaded byte.
    doc.m_logValues.resize(std::max(recs.values.size(), size));
    doc.m_logStartTimes = recs.startTimes;
    doc.m_logRecRate = recs.rates;
    doc.m_logRecUnit = recs.units;
    doc.m_logRecStart = recs.recStart;
    doc.m_logRecGain = recs.gains;
    doc.m_logRecordCount = recs.recordCount();
    m.view.m_logDataNew = 1;
}

}  // namespace km905
