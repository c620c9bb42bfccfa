// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

namespace km905 {

// A window's client rectangle, in its own pixels.
struct ClientRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Where a graph's plot sits in its window's client rectangle.
struct PlotMargins {
    int left = 0, top = 0, right = 0, bottom = 0;  // distances from the client edges
    // Rows from the plot's bottom edge up to the row of the lowest grid line (label 0): the
    // real-time plot ends one row above its bottom edge, the datalogger's axis lies on it.
    int baselineInset = 0;
};

// The plot rectangle of one paint or mouse event, in client pixels.
struct PlotRect {
    ClientRect client;
    int left = 0, top = 0, right = 0;
    int bottom = 0;    // the bottom edge: where the plot's own picture ends
    int width = 1;     // right - left, at least 1
    int baseline = 0;  // the row of label 0 (the bottom grid line)
    int height = 1;    // baseline - top, at least 1: rows from label 0 up to label 10

    static PlotRect inClient(const ClientRect& client, const PlotMargins& margins);

    // bottom - top, at least 1: the height the mouse measures fractions against.
    int edgeHeight() const;
    // The pointer held inside left..right, top..bottom.
    QPoint clamp(QPoint p) const;
};

// Truncation to a pixel that is safe for any value: over-range readings land millions of
// pixels off the plot, and the surface clips them.
int toPixel(double v);

}  // namespace km905
