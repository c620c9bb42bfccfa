// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPagedPaintDevice>
#include <vector>

#include "print/ReportPage.h"

namespace km905 {

// Draws report pages on a printer (or a PDF writer); says where it failed, if it did.
PrintOutcome paintReport(QPagedPaintDevice& device, const std::vector<ReportPage>& pages);
inline PrintOutcome paintReport(QPagedPaintDevice& device, const ReportPage& page) {
    return paintReport(device, std::vector<ReportPage>{page});
}

}  // namespace km905
