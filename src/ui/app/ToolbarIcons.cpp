// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace km905 {

QIcon toolIcon(ToolIcon which) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    switch (which) {
        case ToolIcon::Save:
            p.setBrush(QColor(60, 90, 170));
            p.drawRect(5, 5, 22, 22);
            p.setBrush(Qt::white);
            p.drawRect(9, 5, 14, 9);
            p.fillRect(11, 19, 10, 8, QColor(200, 200, 200));
            break;
        case ToolIcon::Open: {
            p.setBrush(QColor(230, 190, 80));
            QPainterPath folder;
            folder.moveTo(4, 9);
            folder.lineTo(12, 9);
            folder.lineTo(14, 12);
            folder.lineTo(28, 12);
            folder.lineTo(28, 26);
            folder.lineTo(4, 26);
            folder.closeSubpath();
            p.drawPath(folder);
            break;
        }
        case ToolIcon::Run:
            p.setBrush(QColor(40, 160, 60));
            p.drawPolygon(QPolygon({QPoint(9, 6), QPoint(26, 16), QPoint(9, 26)}));
            break;
        case ToolIcon::Stop:
            p.setBrush(QColor(200, 40, 40));
            p.drawRect(8, 8, 16, 16);
            break;
        case ToolIcon::Print:
            p.setBrush(Qt::white);
            p.drawRect(9, 4, 14, 10);
            p.setBrush(QColor(120, 120, 120));
            p.drawRect(4, 13, 24, 10);
            p.setBrush(Qt::white);
            p.drawRect(9, 20, 14, 8);
            break;
        case ToolIcon::UndoZoom:
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(5, 5, 16, 16);
            p.drawLine(19, 19, 27, 27);
            p.drawLine(9, 13, 17, 13);
            break;
        case ToolIcon::Help:
            p.setBrush(QColor(60, 110, 200));
            p.drawEllipse(4, 4, 24, 24);
            p.setPen(Qt::white);
            {
                QFont f(QStringLiteral("Arial"));
                f.setPixelSize(20);
                f.setBold(true);
                p.setFont(f);
            }
            p.drawText(QRect(4, 4, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
            break;
        case ToolIcon::Program:
            p.setBrush(QColor(70, 76, 84));
            p.drawRoundedRect(8, 2, 16, 28, 4, 4);
            p.setBrush(QColor(168, 191, 163));
            p.drawRect(11, 7, 10, 8);
            p.setBrush(QColor(250, 220, 90));
            p.drawEllipse(13, 19, 6, 6);
            break;
        case ToolIcon::Spreadsheet:  // a sheet of cells, its header row green
            p.setBrush(Qt::white);
            p.drawRect(4, 5, 24, 22);
            p.fillRect(5, 6, 23, 6, QColor(40, 150, 70));
            p.setPen(QPen(QColor(40, 40, 40), 1));
            for (int y : {17, 22}) p.drawLine(4, y, 28, y);
            for (int x : {12, 20}) p.drawLine(x, 12, x, 27);
            break;
    }
    return QIcon(pm);
}

}  // namespace km905
