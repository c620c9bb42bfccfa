// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel/MeterBodyArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "core/panel/MeterFace.h"

namespace km905 {

QPixmap meterBodyPixmap() {
    QPixmap pm(kBodyW, kBodyH);
    pm.fill(QColor(217, 218, 212));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    // Housing: a dark rounded body with a lighter rim.
    QPainterPath body;
    body.addRoundedRect(QRectF(6, 40, 208, 572), 28, 28);
    QLinearGradient shade(0, 0, kBodyW, 0);
    shade.setColorAt(0, QColor(58, 62, 68));
    shade.setColorAt(0.5, QColor(82, 88, 96));
    shade.setColorAt(1, QColor(50, 54, 60));
    p.fillPath(body, shade);
    p.setPen(QPen(QColor(140, 146, 152), 2));
    p.drawPath(body);

    // Light sensor dome at the top.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(235, 235, 228));
    p.drawEllipse(QPointF(110, 72), 24, 18);
    p.setBrush(QColor(200, 200, 190));
    p.drawEllipse(QPointF(110, 72), 14, 10);

    // Display bezel around the LCD window and the arc of the bar above it.
    p.setBrush(QColor(30, 32, 36));
    p.drawRoundedRect(QRectF(kLcdX - 10, kLcdY - 22, kLcdW + 20, kLcdH + 32), 10, 10);
    p.setBrush(QColor(168, 191, 163));
    p.drawRect(QRect(kLcdX, kLcdY, kLcdW, kLcdH));

    // Key field: a recessed panel behind the buttons.
    p.setBrush(QColor(44, 47, 52));
    p.drawRoundedRect(QRectF(40, 286, 140, 256), 14, 14);
    p.setPen(QPen(QColor(120, 124, 130), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(40, 286, 140, 256), 14, 14);

    // Grip lines at the bottom.
    for (int i = 0; i < 5; ++i) p.drawLine(QPointF(70, 560 + i * 8), QPointF(150, 560 + i * 8));
    return pm;
}

}  // namespace km905
