// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/CPanelButton.h"

#include <QMouseEvent>
#include <QPainter>

#include "panel/PanelKeys.h"

namespace km905 {

CPanelButton::CPanelButton(const QString& caption, int id, QWidget* parent)
    : QAbstractButton(parent), m_id(id) {
    setText(caption);
    setToolTip(caption);
    setFocusPolicy(Qt::NoFocus);
    const PanelKey* key = panelKey(id);
    if (key && key->showsPressedCursor()) {
        connect(this, &QAbstractButton::pressed, this,
                [this] { setCursor(Qt::PointingHandCursor); });
        connect(this, &QAbstractButton::released, this, [this] { unsetCursor(); });
    }
}

void CPanelButton::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit doubleClicked();
}

void CPanelButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    const bool power = text() == QLatin1String("POWEROFF");
    const bool down = isDown() && !power;
    QColor face = power ? QColor(170, 40, 36) : QColor(196, 200, 204);
    if (down) face = face.darker(130);
    p.setPen(QPen(QColor(20, 22, 26), 1));
    p.setBrush(face);
    if (power) {
        p.drawEllipse(r);
        p.setPen(QPen(Qt::white, 2));
        p.drawArc(r.adjusted(6, 6, -6, -6), 120 * 16, 300 * 16);
        p.drawLine(QPointF(r.center().x(), r.top() + 4), QPointF(r.center().x(), r.center().y()));
        return;
    }
    p.drawRoundedRect(r, 6, 6);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(text().size() > 4 ? 7 : 9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(30, 30, 30));
    p.drawText(r.translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, text());
}

}  // namespace km905
