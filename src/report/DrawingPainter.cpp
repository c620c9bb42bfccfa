// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/DrawingPainter.h"

#include <QFont>
#include <QPaintDevice>

namespace km905 {

void paintDrawing(QPainter& p, const Drawing& d, double scale) {
    // Fonts are sized in points of the device: a text `size` units high is size * scale
    // device pixels.
    const double dpi = p.device() ? p.device()->logicalDpiY() : 96;
    auto box = [scale](const QRectF& r) {
        return QRectF(r.left() * scale, r.top() * scale, r.width() * scale, r.height() * scale);
    };
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    for (const DrawRect& r : d.rects) {
        QPen pen(Qt::NoPen);
        if (r.stroke) {
            pen = QPen(toColor(*r.stroke), r.strokeWidth * scale, Qt::SolidLine, Qt::SquareCap,
                       Qt::MiterJoin);
            if (r.dash > 0 && r.strokeWidth > 0) {
                // A dash pattern counts in pen widths.
                const double d = r.dash / r.strokeWidth;
                pen.setCapStyle(Qt::FlatCap);
                pen.setDashPattern({d, d});
            }
        }
        p.setPen(pen);
        p.setBrush(r.fill ? QBrush(toColor(*r.fill)) : QBrush(Qt::NoBrush));
        p.drawRect(box(r.box));
    }
    for (const DrawLine& l : d.lines) {
        p.setPen(QPen(toColor(l.colour), l.width * scale));
        p.drawLine(l.from * scale, l.to * scale);
    }
    for (const DrawText& t : d.texts) {
        QFont f(QStringLiteral("Arial"));
        f.setPointSizeF(t.size * scale * 72.0 / dpi);
        f.setBold(t.bold);
        p.setFont(f);
        p.setPen(toColor(t.colour));
        int flags = t.align == TextAlign::Left     ? Qt::AlignLeft
                    : t.align == TextAlign::Centre ? Qt::AlignHCenter
                                                   : Qt::AlignRight;
        flags |= t.wrap ? (Qt::AlignTop | Qt::TextWordWrap) : Qt::AlignVCenter;
        p.drawText(box(t.box), flags, t.text);
    }
    p.restore();
}

}  // namespace km905
