// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/graph/RubberBand.h"

namespace km905 {

void RubberBand::press(QPoint p) {
    anchorX = lastX = p.x();
    anchorY = lastY = p.y();
    active = 1;
    idle = 1;
}

void RubberBand::follow(QPoint p) {
    if (p.x() != anchorX || p.y() != anchorY) idle = 0;
    lastX = p.x();
    lastY = p.y();
}

void RubberBand::cancel() {
    active = 0;
    idle = 1;
}

std::optional<QRect> RubberBand::rect() const {
    if (active != 1 || idle == 1) return std::nullopt;
    return QRect(QPoint(anchorX, anchorY), QPoint(lastX, lastY)).normalized();
}

bool dragLeftThePlot(QPoint pointer, const PlotRect& plot, const DragWatchMargins& m) {
    return pointer.y() <= plot.top - m.top || pointer.x() <= plot.left - m.left ||
           pointer.x() >= plot.right + m.right || pointer.y() >= plot.bottom + m.bottom;
}

}  // namespace km905
