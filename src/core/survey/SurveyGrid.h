#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/MeterState.h"
#include "survey/SurveySummary.h"

namespace km905 {

// The order the points of a measuring grid were walked in: every row from left to right, or
// serpentine (the second row back from right to left, and so on).
enum class GridOrder : uint8_t { RowByRow = 0, Serpentine = 1 };

struct GridShape {
    int columns = 0;
    int rows = 0;
    GridOrder order = GridOrder::RowByRow;

    bool valid() const { return columns >= 1 && rows >= 1 && columns * rows <= kMaxGridPoints; }
    int points() const { return columns * rows; }
    bool operator==(const GridShape&) const = default;
    static constexpr int kMaxSide = 99;
    static constexpr int kMaxGridPoints = 99 * 99;
};

struct GridPoint {
    int column;
    int row;
    bool operator==(const GridPoint&) const = default;
};

// Where the k-th measured point (0-based) lies; none beyond the grid.
std::optional<GridPoint> gridPointOf(const GridShape& shape, int k);

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

// A perceptually uniform colour scale (viridis), t from 0 (dark blue) to 1 (yellow).
Rgb surveyColour(double t);

struct GridCell {
    int record = -1;        // 0-based memory record, -1 when the point has no reading
    QString text;           // the reading as the list shows it, with its unit
    bool coloured = false;  // a normal reading, on the colour scale
    Rgb colour{255, 255, 255};
    bool isMinimum = false;
};

// The readings laid on the grid, row by row from the top left.
struct GridMap {
    GridShape shape;
    std::vector<GridCell> cells;  // rows × columns
    std::vector<int> beyond;      // records past the grid's last point
    int empty = 0;                // points without a reading

    const GridCell& at(int column, int row) const {
        return cells[static_cast<size_t>(row * shape.columns + column)];
    }
};

GridMap surveyGridMap(const CDTDoc& doc, const GridShape& shape, const SurveySummary& summary);

// A shape offered for a list without one: about square, with room for every reading.
GridShape suggestedGridShape(int readings);

// "4x3 row", "4x3 serpentine": the form kept in the settings and given on the command line
// ("4x3" alone is row by row).
QString gridShapeText(const GridShape& shape);
std::optional<GridShape> parseGridShape(const QString& text);

}  // namespace km905
