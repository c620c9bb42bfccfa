// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/survey/GridSizing.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "core/model/MeterState.h"

namespace km905 {

namespace {
int pointsAlong(double side, double p) {
    const double n = std::round(side / p);
    return static_cast<int>(std::clamp(n, 3.0, static_cast<double>(GridShape::kMaxSide)));
}
}  // namespace

std::optional<RoomGrid> roomGrid(double length, double width) {
    if (!(length > 0) || !(width > 0) || !std::isfinite(length) || !std::isfinite(width))
        return std::nullopt;
    const double d = std::max(length, width);
    const double p = std::min(10.0, 0.2 * std::pow(5.0, std::log10(d)));
    return RoomGrid{p, pointsAlong(length, p), pointsAlong(width, p)};
}

QString roomGridText(const RoomGrid& g) {
    QString t = QStringLiteral("p = %1 m: %2 x %3 points")
                    .arg(QString::number(g.spacing, 'f', 2))
                    .arg(g.along)
                    .arg(g.across);
    if (g.along * g.across > kMemCapacity - 1)
        t += QStringLiteral(" (more than the meter's memory holds)");
    return t;
}

std::optional<std::pair<double, double>> parseRoomSize(const QString& text) {
    const QStringList sides = text.toLower().split(QLatin1Char('x'));
    if (sides.size() != 2) return std::nullopt;
    bool okL = false, okW = false;
    const double l = QLocale::c().toDouble(sides[0].trimmed(), &okL);
    const double w = QLocale::c().toDouble(sides[1].trimmed(), &okW);
    if (!okL || !okW || !(l > 0) || !(w > 0) || l >= 1e4 || w >= 1e4) return std::nullopt;
    return std::pair{l, w};
}

GridShape roomGridShape(const RoomGrid& g, GridOrder order) {
    return {g.along, g.across, order};
}

}  // namespace km905
