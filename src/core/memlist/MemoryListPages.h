#pragma once

#include <QStringList>
#include <vector>

#include "model/MeterState.h"
#include "print/ReportPage.h"

namespace km905 {

inline const QString kNoMemoryDataText = QStringLiteral("There is no Data in the MEM!");

// The rows of the memory list: number, value, unit, mode, time.
std::vector<QStringList> memoryListRows(const CDTDoc& doc);

// The printed list: one page, or two when there are more than 50 records; the survey summary
// and what it left out follow the last row (on a page of their own when the last is full).
std::vector<ReportPage> memoryListPages(const CDTDoc& doc);

}  // namespace km905
