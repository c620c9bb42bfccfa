// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

namespace km905 {

struct PixelLine {
    int x1, y1, x2, y2;
    bool operator==(const PixelLine&) const = default;
};

struct ClipBox {
    double left, top, right, bottom;
};

// Clips a line to a box (Liang-Barsky); false when nothing of it is inside.
bool clipLine(double& x1, double& y1, double& x2, double& y2, const ClipBox& box);

// Collects a curve given segment by segment in whole pixels. Consecutive segments inside one
// pixel column become one vertical line over their rows: the same pixels, far fewer lines.
// With a box, lines are clipped to it: over-range readings lie millions of rows away, which
// the raster engine need not see.
class ColumnMergedPolyline {
  public:
    explicit ColumnMergedPolyline(std::vector<PixelLine>& out,
                                  std::optional<ClipBox> box = std::nullopt)
        : m_out(out), m_box(box) {}
    ~ColumnMergedPolyline() { flush(); }
    ColumnMergedPolyline(const ColumnMergedPolyline&) = delete;
    ColumnMergedPolyline& operator=(const ColumnMergedPolyline&) = delete;

    void segment(int x1, int y1, int x2, int y2);
    // Ends the vertical run in progress; the destructor does it too.
    void flush();

  private:
    void addLine(int x1, int y1, int x2, int y2);

    std::vector<PixelLine>& m_out;
    std::optional<ClipBox> m_box;
    bool m_run = false;
    int m_runX = 0, m_runMin = 0, m_runMax = 0, m_runEndY = 0;
};

}  // namespace km905
