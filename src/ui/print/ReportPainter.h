// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <optional>
#include <vector>

#include "core/print/ReportPage.h"

namespace km905 {

// Draws report pages on a printer (or a PDF writer); says where it failed, if it did.
PrintOutcome paintReport(QPagedPaintDevice& device, const std::vector<ReportPage>& pages);
inline PrintOutcome paintReport(QPagedPaintDevice& device, const ReportPage& page) {
    return paintReport(device, std::vector<ReportPage>{page});
}

// The pages as a PDF on the page layout and at the resolution the print dialog chose, titled
// after the first page; nothing when a page could not be drawn.
std::optional<QByteArray> reportPdf(const std::vector<ReportPage>& pages, const QPageLayout& layout,
                                    int resolution);

}  // namespace km905
