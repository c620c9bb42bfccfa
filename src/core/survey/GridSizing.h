// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <utility>

#include "core/survey/SurveyGrid.h"

namespace km905 {

// A measuring grid for a room by the rule for measuring and calculation grids:
// p = 0.2 x 5^log10(d) for the longer side d (p at most 10 m), and along each side the
// nearest whole number of side / p points, at least 3.
struct RoomGrid {
    double spacing = 0;  // p, in metres
    int along = 0;       // points along the length: the grid's columns
    int across = 0;      // points across the width: its rows
};

// Nothing unless both sides are given (in metres, more than 0).
std::optional<RoomGrid> roomGrid(double length, double width);
// "p = 0.62 m: 8 x 5 points"
QString roomGridText(const RoomGrid& g);
// "8x6.5" (metres, length by width, each more than 0) as the command line gives a room.
std::optional<std::pair<double, double>> parseRoomSize(const QString& text);
// The grid as the Grid dialog takes it, walked in the given order.
GridShape roomGridShape(const RoomGrid& g, GridOrder order);

}  // namespace km905
