// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/survey/SurveyGrid.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cmath>

#include "core/files/TextExport.h"
#include "core/model/MeterTypes.h"

namespace km905 {

std::optional<GridPoint> gridPointOf(const GridShape& shape, int k) {
    if (!shape.valid() || k < 0 || k >= shape.points()) return std::nullopt;
    const int row = k / shape.columns;
    int column = k % shape.columns;
    if (shape.order == GridOrder::Serpentine && row % 2 == 1) column = shape.columns - 1 - column;
    return GridPoint{column, row};
}

Rgb surveyColour(double t) {
    // Viridis at nine even stops; between them, straight lines.
    static constexpr std::array<Rgb, 9> kStops{{{68, 1, 84},
                                                {71, 45, 123},
                                                {59, 82, 139},
                                                {44, 114, 142},
                                                {33, 145, 140},
                                                {40, 174, 128},
                                                {94, 201, 98},
                                                {173, 220, 48},
                                                {253, 231, 37}}};
    if (!(t > 0)) return kStops.front();
    if (t >= 1) return kStops.back();
    const double at = t * (kStops.size() - 1);
    const auto i = static_cast<size_t>(at);
    const double f = at - static_cast<double>(i);
    auto mix = [f](uint8_t a, uint8_t b) {
        return static_cast<uint8_t>(std::lround(a + (b - a) * f));
    };
    const Rgb a = kStops[i], b = kStops[i + 1];
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b)};
}

GridMap surveyGridMap(const CDTDoc& doc, const GridShape& shape, const SurveySummary& summary,
                      const SurveyRequirement* requirement) {
    GridMap map;
    map.shape = shape;
    if (requirement) map.requirement = *requirement;
    if (!shape.valid()) return map;
    map.cells.resize(static_cast<size_t>(shape.points()));
    const int count = std::clamp(doc.m_memCount, 0, kMemCapacity);
    const double span = summary.emaxLux - summary.eminLux;
    int placed = 0;
    for (int k = 0; k < count; ++k) {
        // A reading the figures leave out was not taken for a point (a REL or MAX press
        // between points): it takes none, so the next points keep their own readings.
        if (surveyUseOf(doc, k) != SurveyUse::Used) {
            map.leftOut.push_back(k);
            continue;
        }
        const std::optional<GridPoint> p = gridPointOf(shape, placed++);
        if (!p) {
            map.beyond.push_back(k);
            continue;
        }
        const auto r = static_cast<size_t>(k);
        GridCell& cell = map.cells[static_cast<size_t>(p->row * shape.columns + p->column)];
        cell.record = k;
        cell.text = listValueText(doc.m_memValues[r], doc.m_memUnitFC[r], doc.m_memFlagB[r]) +
                    (doc.m_memUnitFC[r] ? QStringLiteral(" FC") : QStringLiteral(" Lux"));
        cell.colour = surveyColour(span > 0 ? (doc.m_memValues[r] - summary.eminLux) / span : 0.5);
        cell.isMinimum = k == summary.minRecord;
        cell.belowRequired = requirement && belowRequired(doc.m_memValues[r], *requirement);
        map.belowRequired += cell.belowRequired;
    }
    map.empty = std::max(shape.points() - placed, 0);
    return map;
}

GridShape suggestedGridShape(int points) {
    const int n = std::clamp(points, 1, GridShape::kMaxGridPoints);
    const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(n))));
    return {columns, (n + columns - 1) / columns, GridOrder::RowByRow};
}

GridShape offeredGridShape(const std::optional<GridShape>& kept, const SurveySummary& summary) {
    if (kept && kept->valid()) return *kept;
    return suggestedGridShape(summary.used);
}

QString gridShapeText(const GridShape& shape) {
    return QStringLiteral("%1x%2 %3")
        .arg(shape.columns)
        .arg(shape.rows)
        .arg(shape.order == GridOrder::Serpentine ? QStringLiteral("serpentine")
                                                  : QStringLiteral("row"));
}

std::optional<GridShape> parseGridShape(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral("^\\s*(\\d{1,2})\\s*[xX×]\\s*(\\d{1,2})(?:\\s+(row|serpentine))?\\s*$"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    GridShape s;
    s.columns = m.captured(1).toInt();
    s.rows = m.captured(2).toInt();
    s.order =
        m.captured(3) == QLatin1String("serpentine") ? GridOrder::Serpentine : GridOrder::RowByRow;
    if (!s.valid()) return std::nullopt;
    return s;
}

}  // namespace km905
