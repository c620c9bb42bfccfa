// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

namespace km905 {

// The value of each horizontal grid line of one zoom level: 0 is the bottom edge, 10 the top.
using YLabels = std::array<double, 11>;

// The full view's labels from a window's Y scale: `gain` is the value of one division (4, 40,
// 400, 4000 or 40000), `offsetSteps` the value of the bottom edge in divisions (0..10).
YLabels fullViewLabels(int gain, int offsetSteps);

// A stored reading (lux) as the axis plots it: in foot-candles through the single-precision
// factor when the graph's unit is foot-candles.
double plottedValue(float reading, bool footCandles);

// How many rows above the baseline a value lies on a level with these labels, for a plot
// whose labels 0 and 10 are `height` rows apart. A level without a range puts it on the
// baseline.
double rowsAboveBaseline(double value, const YLabels& labels, double height);
// The value that lies `rows` rows above the baseline.
double valueAboveBaseline(const YLabels& labels, double rows, double height);

// The labels of a new zoom level from its bottom value and the value one division above,
// both truncated by the bottom value's magnitude (below 1000 to hundredths, else to tens),
// so the axis reads in round numbers.
YLabels magnitudeAlignedLabels(double bottomValue, double firstDivisionValue);

// How the Y label texts read and how far they are pushed right by magnitude.
struct YLabelStyle {
    char thousandsSuffix = 'k';  // values from 1000 up read "%.2f" of thousands and this
    // The shift table also moves thousands (one step less than hundreds) and negative values
    // (by the width of their sign); without it every value from 100 up and below 0 shifts 2.
    bool shiftsThousandsAndNegatives = false;
};

QString yLabelText(double value, const YLabelStyle& style);
// The label's shift in character widths, right-aligning labels of different magnitudes.
int yLabelShift(double value, const YLabelStyle& style);

}  // namespace km905
