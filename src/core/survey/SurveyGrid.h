// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/model/MeterState.h"
#include "core/survey/SurveyRequirement.h"
#include "core/survey/SurveySummary.h"

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
    int record = -1;  // 0-based memory record of the normal reading here, -1 when none
    QString text;     // the reading as the list shows it, with its unit
    Rgb colour{255, 255, 255};
    bool isMinimum = false;
    bool belowRequired = false;  // under the requirement's Ēm
};

// The normal readings laid on the grid in the order they were taken, point by point, row by
// row from the top left. The rest are no point's reading: they are listed apart.
struct GridMap {
    GridShape shape;
    std::vector<GridCell> cells;                   // rows × columns
    std::vector<int> beyond;                       // normal readings past the grid's last point
    std::vector<int> leftOut;                      // readings left out of the figures, off the map
    int empty = 0;                                 // points without a reading
    std::optional<SurveyRequirement> requirement;  // the cells below its Ēm are marked
    int belowRequired = 0;                         // how many

    const GridCell& at(int column, int row) const {
        return cells[static_cast<size_t>(row * shape.columns + column)];
    }
};

GridMap surveyGridMap(const CDTDoc& doc, const GridShape& shape, const SurveySummary& summary,
                      const SurveyRequirement* requirement = nullptr);

// A shape with room for this many points, about square.
GridShape suggestedGridShape(int points);
// The shape the Grid dialog offers: the list's own when one is kept, else one with a point for
// every normal reading, the readings the map places.
GridShape offeredGridShape(const std::optional<GridShape>& kept, const SurveySummary& summary);

// "4x3 row", "4x3 serpentine": the form kept in the settings and given on the command line
// ("4x3" alone is row by row).
QString gridShapeText(const GridShape& shape);
std::optional<GridShape> parseGridShape(const QString& text);

}  // namespace km905
