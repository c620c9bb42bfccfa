// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <vector>

#include "core/model/MeterState.h"
#include "core/print/ReportPage.h"

namespace km905 {

inline const QString kNoMemoryDataText = QStringLiteral("There is no Data in the MEM!");

// The rows of the memory list: number, value, unit, mode, time.
std::vector<QStringList> memoryListRows(const CDTDoc& doc);

// The printed list: one page, or two when there are more than 50 records; the survey summary
// and what it left out follow the last row (on a page of their own when the last is full).
// printName is what the print dialog proposes for a PDF.
std::vector<ReportPage> memoryListPages(const CDTDoc& doc, const QString& printName = {});
// The list file's name, or for a list not saved the time, as Save would name it.
QString memoryListPrintName(const ViewState& v, qint64 nowSecs);

}  // namespace km905
