// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/graph/YScale.h"

#include <cmath>

#include "core/model/MeterTypes.h"

namespace km905 {

YLabels fullViewLabels(int gain, int offsetSteps) {
    YLabels labels{};
    for (int c = 0; c <= 10; ++c)
        labels[static_cast<size_t>(c)] = static_cast<double>((c + offsetSteps) * gain);
    return labels;
}

double plottedValue(float reading, bool footCandles) {
    return footCandles ? static_cast<double>(reading * kLuxToFcSingle)
                       : static_cast<double>(reading);
}

double rowsAboveBaseline(double value, const YLabels& labels, double height) {
    const double range = labels[10] - labels[0];
    if (range == 0) return 0;
    return height * (value - labels[0]) / range;
}

double valueAboveBaseline(const YLabels& labels, double rows, double height) {
    return rows * (labels[10] - labels[0]) / height + labels[0];
}

YLabels magnitudeAlignedLabels(double bottomValue, double firstDivisionValue) {
    double bottom = bottomValue, first = firstDivisionValue;
    if (bottomValue < 1000) {
        bottom = std::trunc(bottom * 100) * 0.01;
        first = std::trunc(first * 100) * 0.01;
    } else {
        bottom = std::trunc(bottom * 0.1) * 10;
        first = std::trunc(first * 0.1) * 10;
    }
    YLabels labels{};
    for (int c = 0; c <= 10; ++c) labels[static_cast<size_t>(c)] = bottom + c * (first - bottom);
    return labels;
}

QString yLabelText(double value, const YLabelStyle& style) {
    if (value >= 1000)
        return QString::asprintf("%.2f", value * 0.001) + QLatin1Char(style.thousandsSuffix);
    return QString::asprintf("%.2f", value);
}

int yLabelShift(double value, const YLabelStyle& style) {
    if (value >= 0 && value < 10) return 4;
    if (value >= 10 && value < 100) return 3;
    if (!style.shiftsThousandsAndNegatives) return 2;
    if (value >= 100 && value < 1000) return 2;
    if (value >= 1000) return 1;
    if (value > -10 && value < 0) return 3;
    if (value > -100 && value <= -10) return 2;
    if (value > -1000 && value <= -100) return 1;
    return 0;
}

}  // namespace km905
