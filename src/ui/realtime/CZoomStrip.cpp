// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/realtime/CZoomStrip.h"

namespace km905 {

CZoomStrip::CZoomStrip(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(100, 100, 100));
    setPalette(pal);
    m_bar = new QScrollBar(Qt::Horizontal, this);
    m_bar->setEnabled(false);
    m_bar->setAccessibleName(QStringLiteral("Real-Time Graph scroll bar"));
}

void CZoomStrip::resizeEvent(QResizeEvent*) {
    m_bar->setGeometry(rect().adjusted(2, 2, -2, -2));
}

}  // namespace km905
