// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/graph/PlotRect.h"

#include <algorithm>
#include <cmath>

namespace km905 {

PlotRect PlotRect::inClient(const ClientRect& client, const PlotMargins& margins) {
    PlotRect p;
    p.client = client;
    p.left = client.left + margins.left;
    p.top = client.top + margins.top;
    p.right = client.right - margins.right;
    p.bottom = client.bottom - margins.bottom;
    // A window too small for a plot still divides by a width and height of one pixel.
    p.width = std::max(p.right - p.left, 1);
    p.baseline = p.bottom - margins.baselineInset;
    p.height = std::max(p.baseline - p.top, 1);
    return p;
}

int PlotRect::edgeHeight() const {
    return std::max(bottom - top, 1);
}

QPoint PlotRect::clamp(QPoint p) const {
    return {std::clamp(p.x(), left, std::max(left, right)),
            std::clamp(p.y(), top, std::max(top, bottom))};
}

int toPixel(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::clamp(v, -1.0e8, 1.0e8));
}

}  // namespace km905
