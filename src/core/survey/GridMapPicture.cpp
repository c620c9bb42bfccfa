#include "survey/GridMapPicture.h"

#include <QStringList>
#include <algorithm>

#include "files/TextExport.h"

namespace km905 {

namespace {
constexpr int kLegendSlices = 48;
constexpr int kBeyondListed = 24;  // the readings table holds them all anyway
constexpr double kLineHeight = 1.3;

QString unitName(SurveyUnit u) {
    return u == SurveyUnit::FootCandles ? QStringLiteral("FC") : QStringLiteral("Lux");
}

QString scaleLabel(const char* name, double lux, SurveyUnit unit) {
    return QString::asprintf("%s %.1f ", name, inSurveyUnit(lux, unit)) + unitName(unit);
}

void addCell(Drawing& d, const GridCell& cell, const QRectF& box, SurveyUnit unit,
             const GridMapLook& look) {
    const Rgb fill = cell.record < 0 ? kEmptyFill : cell.coloured ? cell.colour : kNoScaleFill;
    d.rects.push_back({box, fill, kGridLineColour, look.gridLine});
    if (cell.record < 0) return;
    // "298.00 Lux": the value alone when it is in the legend's unit.
    const qsizetype space = cell.text.lastIndexOf(QLatin1Char(' '));
    QString value = cell.text;
    if (space > 0 && cell.text.mid(space + 1) == unitName(unit)) value = cell.text.left(space);
    const double side = box.width();
    const double size =
        std::min(side * 0.26, side * 0.8 / (0.58 * static_cast<double>(value.size())));
    if (size < look.smallestText) return;
    const Rgb ink = textColourOn(fill);
    d.texts.push_back({QRectF(box.left(), box.top() + side * 0.3, side, side * 0.4), value, size,
                       false, ink, TextAlign::Centre, false});
    const double small = size * 0.72;
    if (small >= look.smallestText * 0.75)
        d.texts.push_back({QRectF(box.left() + side * 0.06, box.top() + side * 0.03, side * 0.9,
                                  small * kLineHeight),
                           QString::number(cell.record + 1), small, false, ink, TextAlign::Left,
                           false});
    if (cell.isMinimum)
        d.texts.push_back({QRectF(box.left(), box.top() + side * 0.68, side, side * 0.24),
                           QStringLiteral("min"), size * 0.8, true, ink, TextAlign::Centre, false});
}
}  // namespace

QString gridMapTitle(const GridShape& g) {
    return QStringLiteral("Grid map: %1 x %2 points, %3")
        .arg(g.columns)
        .arg(g.rows)
        .arg(g.order == GridOrder::Serpentine ? QStringLiteral("serpentine")
                                              : QStringLiteral("row by row"));
}

Rgb textColourOn(Rgb c) {
    const double luma = 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
    return luma < 128 ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
}

QString gridNotesText(const GridMap& map, const CDTDoc& doc) {
    QStringList lines;
    if (!map.beyond.empty()) {
        QStringList listed;
        for (size_t i = 0; i < map.beyond.size() && i < kBeyondListed; ++i) {
            const auto r = static_cast<size_t>(map.beyond[i]);
            listed << QStringLiteral("No. %1 %2 %3")
                          .arg(map.beyond[i] + 1)
                          .arg(listValueText(doc.m_memValues[r], doc.m_memUnitFC[r],
                                             doc.m_memFlagB[r]),
                               doc.m_memUnitFC[r] ? QStringLiteral("FC") : QStringLiteral("Lux"));
        }
        QString text = QStringLiteral("Beyond the grid: ") + listed.join(QStringLiteral(", "));
        if (map.beyond.size() > kBeyondListed)
            text += QStringLiteral(" and %1 more").arg(map.beyond.size() - kBeyondListed);
        lines << text;
    }
    if (map.empty == 1) lines << QStringLiteral("1 point without a reading");
    if (map.empty > 1) lines << QStringLiteral("%1 points without a reading").arg(map.empty);
    return lines.join(QLatin1Char('\n'));
}

GridMapPicture gridMapPicture(const GridMap& map, const SurveySummary& summary,
                              const QString& notes, const QRectF& area, const GridMapLook& look) {
    GridMapPicture pic;
    const GridShape& shape = map.shape;
    if (!shape.valid() || map.cells.size() != static_cast<size_t>(shape.points())) return pic;
    const double t = look.textSize;
    const double gap = t * 0.8;
    const double legendH = summary.hasFigures() ? t * 1.2 + t * kLineHeight : t * kLineHeight;
    // The notes are as wide as the legend, which is at least this wide.
    const double narrowest = std::min(area.width(), 18 * t);
    const double notesH =
        notes.isEmpty() ? 0 : estimatedLines(notes, t, narrowest) * t * kLineHeight;
    const double mapH = area.height() - gap - legendH - (notes.isEmpty() ? 0 : gap + notesH);
    const double side = std::max(
        0.0, std::min({area.width() / shape.columns, mapH / shape.rows, look.largestCell}));
    const double mapW = side * shape.columns;
    const double left = area.left() + (area.width() - mapW) / 2;
    const SurveyUnit unit = preferredSurveyUnit(summary);

    Drawing& d = pic.drawing;
    std::vector<DrawRect> outlines;
    for (int r = 0; r < shape.rows; ++r)
        for (int c = 0; c < shape.columns; ++c) {
            const QRectF box(left + c * side, area.top() + r * side, side, side);
            pic.cellBoxes.push_back(box);
            const GridCell& cell = map.at(c, r);
            addCell(d, cell, box, unit, look);
            if (cell.isMinimum) {
                // Drawn after every cell, so that no neighbour's line covers it.
                const double w = std::max(look.gridLine * 3, side * 0.07);
                outlines.push_back(
                    {box.adjusted(w / 2, w / 2, -w / 2, -w / 2), std::nullopt, kMinimumOutline, w});
            }
        }
    d.rects.insert(d.rects.end(), outlines.begin(), outlines.end());

    double y = area.top() + shape.rows * side + gap;
    const double legendW = std::max(narrowest, std::min(area.width(), mapW));
    const double legendLeft = area.left() + (area.width() - legendW) / 2;
    if (summary.hasFigures()) {
        pic.legendBar = QRectF(legendLeft, y, legendW, t * 1.2);
        const double slice = legendW / kLegendSlices;
        for (int i = 0; i < kLegendSlices; ++i)
            d.rects.push_back({QRectF(legendLeft + i * slice, y, slice, t * 1.2),
                               surveyColour((i + 0.5) / kLegendSlices), std::nullopt, 0});
        d.rects.push_back({pic.legendBar, std::nullopt, kGridLineColour, look.gridLine});
        y += t * 1.2;
        const QRectF labels(legendLeft, y, legendW, t * kLineHeight);
        d.texts.push_back({labels, scaleLabel("Emin", summary.eminLux, unit), t, false,
                           Rgb{0, 0, 0}, TextAlign::Left, false});
        d.texts.push_back({labels, scaleLabel("Emax", summary.emaxLux, unit), t, false,
                           Rgb{0, 0, 0}, TextAlign::Right, false});
    } else {
        d.texts.push_back({QRectF(legendLeft, y, legendW, t * kLineHeight),
                           QStringLiteral("No normal readings: no colour scale"), t, false,
                           Rgb{0, 0, 0}, TextAlign::Centre, false});
    }
    y += t * kLineHeight;
    if (!notes.isEmpty())
        d.texts.push_back({QRectF(legendLeft, y + gap, legendW, notesH), notes, t, false,
                           Rgb{0, 0, 0}, TextAlign::Left, true});
    return pic;
}

}  // namespace km905
