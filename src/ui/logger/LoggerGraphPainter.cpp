// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/logger/LoggerGraphPainter.h"

namespace km905 {

void drawLoggerGraph(QPainter& p, const LoggerGraphPicture& pic, const QRect& client) {
    const QColor background(217, 218, 212);
    p.fillRect(client, background);
    p.fillRect(pic.plotArea, Qt::black);
    auto lines = [&p](const std::vector<PixelLine>& ls, const QPen& pen) {
        p.setPen(pen);
        for (const PixelLine& l : ls) p.drawLine(l.x1, l.y1, l.x2, l.y2);
    };
    lines(pic.grid, QPen(QColor(80, 80, 80), 1));
    lines(pic.axes, QPen(QColor(255, 0, 0), 1));
    p.save();
    p.setClipRect(pic.curveClip);
    lines(pic.timeGrid, QPen(QColor(100, 100, 100), 1));
    lines(pic.curve, QPen(QColor(255, 0, 0), 0));
    p.restore();
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setWeight(QFont::Thin);
    p.setFont(font);
    p.setPen(Qt::black);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(background);
    for (const LoggerText& t : pic.texts)
        if (!t.text.isEmpty())
            p.drawText(QRect(t.x, t.y, 400, 20), Qt::AlignLeft | Qt::AlignTop, t.text);
    p.setBackgroundMode(Qt::TransparentMode);
    if (pic.cursorX) {
        p.setPen(QPen(QColor(150, 50, 50), 1, Qt::DotLine));
        p.drawLine(*pic.cursorX, pic.plot.top, *pic.cursorX, pic.plot.bottom);
    }
    if (pic.band) {
        p.setPen(QPen(QColor(200, 200, 200), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(*pic.band);
    }
}

}  // namespace km905
