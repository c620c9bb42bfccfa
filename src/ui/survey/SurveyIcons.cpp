// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/survey/SurveyIcons.h"

#include <QPainter>
#include <QPixmap>

#include "core/survey/SurveyGrid.h"
#include "report/DrawingPainter.h"

namespace km905 {

QIcon gridSymbol() {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(60, 60, 60));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            p.setBrush(toColor(surveyColour((r * 3 + c) / 8.0)));
            p.drawRect(1 + c * 5, 1 + r * 5, 4, 4);
        }
    return QIcon(pm);
}

QIcon reportSymbol() {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(3, 1, 10, 14);
    for (int y = 4; y <= 12; y += 3) p.drawLine(5, y, 11, y);
    return QIcon(pm);
}

QIcon requirementSymbol() {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(1, 1, 13, 13);
    p.setPen(QPen(QColor(20, 130, 60), 2.2));
    p.drawPolyline(QPolygonF({QPointF(3.5, 8), QPointF(6.5, 11), QPointF(12, 4)}));
    return QIcon(pm);
}

}  // namespace km905
