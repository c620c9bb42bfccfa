// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace km905 {

// The bars around the graph share one light grey for background, labels and boxes.
inline void applyBarStyle(QWidget* bar) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(14);
    bar->setFont(f);
    bar->setAutoFillBackground(true);
    QPalette pal = bar->palette();
    pal.setColor(QPalette::Window, QColor(240, 240, 240));
    pal.setColor(QPalette::Base, QColor(240, 240, 240));
    pal.setColor(QPalette::Text, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::black);
    bar->setPalette(pal);
}

}  // namespace km905
