#pragma once

#include <QPagedPaintDevice>

#include "geometry/ReportPage.h"

namespace km905 {

// Draws a report page on a printer (or a PDF writer): false when the page could not start.
bool paintReport(QPagedPaintDevice& device, const ReportPage& page);

}  // namespace km905
