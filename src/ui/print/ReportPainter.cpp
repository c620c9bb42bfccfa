// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/print/ReportPainter.h"

#include <QPainter>

#include "report/PdfDocument.h"

namespace km905 {

namespace {
void paintPage(QPainter& p, QPagedPaintDevice& device, const ReportPage& page) {
    // Hundredths of an inch from the bottom-right corner of the printable area, y upwards.
    const double dpiX = device.logicalDpiX() / 100.0, dpiY = device.logicalDpiY() / 100.0;
    const double right = device.width(), bottom = device.height();
    auto pt = [&](int x, int y) { return QPointF(right + x * dpiX, bottom - y * dpiY); };
    auto font = [&](ReportPage::Font f) {
        QFont q(QStringLiteral("Arial"));
        const int height = f == ReportPage::Font::Title  ? 40
                           : f == ReportPage::Font::List ? 14
                                                         : 15;
        q.setPixelSize(static_cast<int>(height * dpiY));
        q.setWeight(QFont::Thin);
        return q;
    };
    auto penFor = [&](ReportPage::Pen kind) {
        const double width = penWidth(kind) * dpiX;
        switch (kind) {
            case ReportPage::Pen::Frame:
                return QPen(Qt::black, width);
            case ReportPage::Pen::Trace:
                return QPen(QColor(55, 0, 0), width);
            case ReportPage::Pen::Grid:
                return QPen(QColor(page.gridGrey, page.gridGrey, page.gridGrey), width,
                            Qt::DotLine);
        }
        return QPen();
    };
    auto drawLines = [&](size_t from, size_t to) {
        for (size_t i = from; i < to; ++i) {
            const ReportPage::Line& l = page.lines[i];
            p.setPen(penFor(l.pen));
            p.drawLine(pt(l.x1, l.y1), pt(l.x2, l.y2));
        }
    };
    const auto traceEnd = static_cast<size_t>(page.traceEnd);
    drawLines(0, traceEnd);
    // The trace is cut at the frame by white bands above and below it.
    if (page.whiteBands) {
        p.fillRect(QRectF(QPointF(0, 0), pt(0, 1000)), Qt::white);
        p.fillRect(QRectF(QPointF(0, pt(0, 200).y()), QPointF(right, bottom)), Qt::white);
    }
    p.setPen(Qt::black);
    for (const ReportPage::Text& t : page.texts) {
        p.setFont(font(t.font));
        // Placed by its top-left corner and never cut, whatever the device's resolution.
        p.drawText(QRectF(pt(t.x, t.y), QSizeF(0, 0)),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, t.text);
    }
    drawLines(traceEnd, page.lines.size());
}
}  // namespace

PrintOutcome paintReport(QPagedPaintDevice& device, const std::vector<ReportPage>& pages) {
    QPainter p;
    if (!p.begin(&device)) return PrintOutcome::DocumentFailed;
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            p.end();
            return PrintOutcome::PageFailed;
        }
        paintPage(p, device, pages[i]);
    }
    return p.end() ? PrintOutcome::Printed : PrintOutcome::DocumentFailed;
}

std::optional<QByteArray> reportPdf(const std::vector<ReportPage>& pages, const QPageLayout& layout,
                                    int resolution) {
    const QString title = pages.empty() ? QString() : pages.front().title;
    return makePdf(title, layout, resolution, [&](QPdfWriter& pdf) {
        return paintReport(pdf, pages) == PrintOutcome::Printed;
    });
}

}  // namespace km905
