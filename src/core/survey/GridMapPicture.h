// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QString>
#include <vector>

#include "core/model/MeterState.h"
#include "core/survey/Drawing.h"
#include "core/survey/SurveyGrid.h"
#include "core/survey/SurveySummary.h"

namespace km905 {

// Sizes of a grid map in the picture's unit (pixels on screen, points on paper).
struct GridMapLook {
    double textSize = 12;     // the legend and the notes under it
    double smallestText = 7;  // values that would be smaller leave the cells their colours alone
    double largestCell = 90;  // cells never grow beyond this
    double gridLine = 1;      // the lines between cells
};

inline constexpr Rgb kEmptyFill{255, 255, 255};  // a point without a reading
inline constexpr Rgb kGridLineColour{150, 150, 150};
inline constexpr Rgb kMinimumOutline{220, 0, 0};
// A point below the requirement's Ēm: black dashes on a white band, seen on every colour.
inline constexpr Rgb kBelowBand{255, 255, 255};
inline constexpr Rgb kBelowDashes{0, 0, 0};

// "Grid map: 4 x 3 points, serpentine"
QString gridMapTitle(const GridShape& shape);

// Black or white, whichever reads better on the colour (by its luma).
Rgb textColourOn(Rgb background);

// What the map cannot show, one a line: "Beyond the grid: No. 13 212.00 Lux", "Left out of
// the figures: No. 14 35.00 Lux (REL), No. 15 OL Lux (OL)" and "2 points without a reading";
// empty when there is none of them. No-break spaces hold each "No. ..." together, so that a
// wrapped line never splits a reading.
QString gridNotesText(const GridMap& map, const CDTDoc& doc);

struct GridMapPicture {
    Drawing drawing;
    std::vector<QRectF> cellBoxes;  // row by row from the top left, as GridMap::cells
    QRectF legendBar;               // empty when there are no figures to scale
    QRectF belowKey;                // the dashed sample of the key; empty without a requirement
};

// The map in the area: square cells as large as fit, centred, coloured by the scale from
// Emin to Emax, the minimum outlined and marked "min", the points below the requirement's Ēm
// (when the map has one) edged in dashes; the legend, its key and the notes under it.
// Every cell's value has one size, the point numbers another.
GridMapPicture gridMapPicture(const GridMap& map, const SurveySummary& summary,
                              const QString& notes, const QRectF& area, const GridMapLook& look);

}  // namespace km905
