// SPDX-License-Identifier: GPL-3.0-or-later
#include "SurveyReportPdf.h"

#include <QBuffer>
#include <QFont>
#include <QPageSize>
#include <QPdfWriter>

#include "DrawingPainter.h"

namespace km905 {

std::optional<QByteArray> surveyReportPdf(const SurveyReport& report) {
    // The face the pages are drawn in, where Arial itself is missing.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(
            QPageSize(report.paper == PaperSize::Letter ? QPageSize::Letter : QPageSize::A4));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setResolution(1200);
        pdf.setTitle(report.title);
        pdf.setCreator(QStringLiteral("KM905"));
        QPainter p;
        if (!p.begin(&pdf)) return std::nullopt;
        const double scale = pdf.resolution() / 72.0;
        for (size_t i = 0; i < report.pages.size(); ++i) {
            if (i > 0 && !pdf.newPage()) {
                p.end();
                return std::nullopt;
            }
            paintDrawing(p, report.pages[i], scale);
        }
        if (!p.end()) return std::nullopt;
    }
    return buffer.data();
}

}  // namespace km905
