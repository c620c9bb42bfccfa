// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel/CLcdArea.h"

#include <QPainter>

#include "core/panel/MeterFace.h"

namespace km905 {

CLcdArea::CLcdArea(QWidget* parent) : QWidget(parent) {
    // Its focus mark runs just outside the LCD window, never over the display.
    setGeometry(QRect(kLcdX, kLcdY, kLcdW, kLcdH).adjusted(-3, -3, 3, 3));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(QStringLiteral("LCD"));
}

void CLcdArea::setSpoken(const QString& text) {
    if (accessibleDescription() != text) setAccessibleDescription(text);
}

void CLcdArea::paintEvent(QPaintEvent*) {
    // The panel below draws the display; only the focus mark is this widget's own.
    if (!hasFocus()) return;
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace km905
