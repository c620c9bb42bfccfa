// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPainter>

#include "core/survey/Drawing.h"

namespace km905 {

inline QColor toColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// Paints a picture whose unit is `scale` device pixels: 1 on a window, the resolution / 72
// on paper measured in points.
void paintDrawing(QPainter& p, const Drawing& d, double scale);

}  // namespace km905
