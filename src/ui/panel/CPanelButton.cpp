// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel/CPanelButton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "core/panel/PanelKeys.h"

namespace km905 {

CPanelButton::CPanelButton(const QString& caption, int id, QWidget* parent)
    : QAbstractButton(parent), m_id(id) {
    setText(caption);
    setToolTip(caption);
    // Reached with Tab; a click leaves the focus where it was, as the meter's keys always did.
    setFocusPolicy(Qt::TabFocus);
    const PanelKey* key = panelKey(id);
    if (key && key->clickCode < 0)
        setAccessibleDescription(QStringLiteral("Meter key; sends nothing"));
    else if (key && key->delayed())
        setAccessibleDescription(
            QStringLiteral("Meter key; press twice quickly for its second function"));
    else
        setAccessibleDescription(QStringLiteral("Meter key"));
    if (key && key->showsPressedCursor()) {
        connect(this, &QAbstractButton::pressed, this,
                [this] { setCursor(Qt::PointingHandCursor); });
        connect(this, &QAbstractButton::released, this, [this] { unsetCursor(); });
    }
}

void CPanelButton::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit doubleClicked();
}

void CPanelButton::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Space:
        case Qt::Key_Select:
            // A held key repeats nothing: the meter gets one press, as from one click.
            if (!e->isAutoRepeat()) setDown(true);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!e->isAutoRepeat()) emit keyboardPressed();
            return;
        default:
            QAbstractButton::keyPressEvent(e);
    }
}

void CPanelButton::keyReleaseEvent(QKeyEvent* e) {
    if ((e->key() == Qt::Key_Space || e->key() == Qt::Key_Select) && !e->isAutoRepeat()) {
        if (isDown()) {
            setDown(false);
            emit keyboardPressed();
        }
        return;
    }
    QAbstractButton::keyReleaseEvent(e);
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
        paintFocus(p);
        return;
    }
    p.drawRoundedRect(r, 6, 6);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(text().size() > 4 ? 7 : 9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(30, 30, 30));
    p.drawText(r.translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, text());
    paintFocus(p);
}

void CPanelButton::paintFocus(QPainter& p) {
    if (!hasFocus()) return;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 90, 200), 1, Qt::DotLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace km905
