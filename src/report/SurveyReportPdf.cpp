// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/SurveyReportPdf.h"

#include <QFont>
#include <QPageSize>

#include "report/DrawingPainter.h"
#include "report/PdfDocument.h"

namespace km905 {

std::optional<QByteArray> surveyReportPdf(const SurveyReport& report) {
    // The face the pages are drawn in, where Arial itself is missing.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    const QPageLayout layout(
        QPageSize(report.paper == PaperSize::Letter ? QPageSize::Letter : QPageSize::A4),
        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
    return makePdf(report.title, layout, 1200, [&](QPdfWriter& pdf) {
        QPainter p;
        if (!p.begin(&pdf)) return false;
        const double scale = pdf.resolution() / 72.0;
        for (size_t i = 0; i < report.pages.size(); ++i) {
            if (i > 0 && !pdf.newPage()) {
                p.end();
                return false;
            }
            paintDrawing(p, report.pages[i], scale);
        }
        return p.end();
    });
}

}  // namespace km905
