// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/graph/Polyline.h"

#include <algorithm>

#include "core/graph/PlotRect.h"

namespace km905 {

bool clipLine(double& x1, double& y1, double& x2, double& y2, const ClipBox& box) {
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - box.left, box.right - x1, y1 - box.top, box.bottom - y1};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const double ox = x1, oy = y1;
    x1 = ox + t0 * dx;
    y1 = oy + t0 * dy;
    x2 = ox + t1 * dx;
    y2 = oy + t1 * dy;
    return true;
}

void ColumnMergedPolyline::segment(int x1, int y1, int x2, int y2) {
    if (x1 == x2) {
        if (m_run && m_runX == x1 && m_runEndY == y1) {
            m_runMin = std::min(m_runMin, y2);
            m_runMax = std::max(m_runMax, y2);
        } else {
            flush();
            m_run = true;
            m_runX = x1;
            m_runMin = std::min(y1, y2);
            m_runMax = std::max(y1, y2);
        }
        m_runEndY = y2;
        return;
    }
    flush();
    addLine(x1, y1, x2, y2);
}

void ColumnMergedPolyline::flush() {
    if (m_run) addLine(m_runX, m_runMin, m_runX, m_runMax);
    m_run = false;
}

void ColumnMergedPolyline::addLine(int x1, int y1, int x2, int y2) {
    if (!m_box) {
        m_out.push_back({x1, y1, x2, y2});
        return;
    }
    double ax = x1, ay = y1, bx = x2, by = y2;
    if (!clipLine(ax, ay, bx, by, *m_box)) return;
    m_out.push_back({toPixel(ax), toPixel(ay), toPixel(bx), toPixel(by)});
}

}  // namespace km905
