// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/realtime/RtGraphPainter.h"

#include <QPainter>
#include <QRegion>

namespace km905 {

namespace {
const QColor kStrip(217, 218, 212);
const QColor kGrid(170, 170, 170);

QPen dotted(const QColor& c) {
    QPen pen(c, 1, Qt::CustomDashLine);
    pen.setDashPattern({1, 1});
    pen.setCosmetic(true);
    return pen;
}
}  // namespace

void drawRtGraph(QImage& surface, const RtGraphPicture& pic, const QFont& labelFont) {
    QPainter p(&surface);
    const QColor buttonFace(240, 240, 240);
    // Plot: black, dotted grid, red trace, clipped to its own rectangle. Each pixel is filled
    // once: the fills are most of a paint's time.
    const QRect plot(pic.plot.left, pic.plot.top, pic.plot.width, pic.plot.bottom - pic.plot.top);
    QRegion face = QRegion(surface.rect()).subtracted(plot);
    for (const QRect& strip : {pic.bandAbove, pic.leftStrip, pic.rightStrip})
        face = face.subtracted(strip);
    if (pic.timeBand) face = face.subtracted(*pic.timeBand);
    for (const QRect& r : face) p.fillRect(r, buttonFace);
    p.fillRect(plot, Qt::black);
    p.save();
    p.setClipRect(plot);
    p.translate(plot.topLeft());
    p.setPen(dotted(kGrid));
    for (int x : pic.gridX) p.drawLine(x, pic.plot.height, x, 0);
    for (int y : pic.gridY) p.drawLine(0, y, pic.plot.width, y);
    QPen trace(QColor(255, 0, 0), 0);
    p.setPen(trace);
    std::vector<QLine> lines;
    lines.reserve(pic.trace.size());
    for (const PixelLine& l : pic.trace) lines.emplace_back(l.x1, l.y1, l.x2, l.y2);
    if (!lines.empty()) p.drawLines(lines.data(), static_cast<int>(lines.size()));
    if (pic.cursorX) {
        p.setPen(dotted(Qt::white));
        p.drawLine(*pic.cursorX, 0, *pic.cursorX, pic.plot.height);
    }
    p.restore();

    // Band above the plot and the label strips on its sides.
    p.fillRect(pic.bandAbove, kStrip);
    const QPoint stripAt = pic.leftStrip.topLeft();
    p.fillRect(pic.leftStrip, kStrip);
    p.fillRect(pic.rightStrip, kStrip);
    p.setFont(labelFont);
    p.setPen(Qt::black);
    for (const PixelLine& t : pic.yTicks)
        p.drawLine(t.x1 + stripAt.x(), t.y1 + stripAt.y(), t.x2 + stripAt.x(), t.y2 + stripAt.y());
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(Qt::white);
    for (const PlacedText& t : pic.yLabels)
        p.drawText(QRect(t.x + stripAt.x(), t.y + stripAt.y(), 200, 40),
                   Qt::AlignLeft | Qt::AlignTop, t.text);

    // Time band under the plot; each text starts at its grid line.
    if (pic.timeBand) p.fillRect(*pic.timeBand, kStrip);
    p.setBackground(buttonFace);
    for (const PlacedText& t : pic.timeLabels)
        p.drawText(QRect(t.x, t.y, 200, 40), Qt::AlignLeft | Qt::AlignTop, t.text);
}

}  // namespace km905
