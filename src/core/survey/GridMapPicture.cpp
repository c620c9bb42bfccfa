// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/survey/GridMapPicture.h"

#include <QStringList>
#include <algorithm>
#include <functional>

#include "core/files/TextExport.h"

namespace km905 {

namespace {
constexpr int kLegendSlices = 48;
constexpr int kListed = 24;  // readings a note names; the readings table holds them all
constexpr double kLineHeight = 1.3;

QString unitName(SurveyUnit u) {
    return u == SurveyUnit::FootCandles ? QStringLiteral("FC") : QStringLiteral("Lux");
}

QString scaleLabel(const char* name, double lux, SurveyUnit unit) {
    return QString::asprintf("%s %.1f ", name, inSurveyUnit(lux, unit)) + unitName(unit);
}

// "298.00 Lux": the value alone when it is in the legend's unit.
QString cellValue(const GridCell& cell, SurveyUnit unit) {
    const qsizetype space = cell.text.lastIndexOf(QLatin1Char(' '));
    if (space > 0 && cell.text.mid(space + 1) == unitName(unit)) return cell.text.left(space);
    return cell.text;
}

// The sizes every cell of one map shares.
struct CellLook {
    double side = 0;
    double outline = 0;  // the minimum's red outline, inside the cell
    double value = 0;    // 0: the cells show their colour alone
    double number = 0;   // 0: no point numbers
};

CellLook cellLook(const GridMap& map, double side, SurveyUnit unit, const GridMapLook& look) {
    CellLook c;
    c.side = side;
    c.outline = std::max(look.gridLine * 3, side * 0.07);
    qsizetype longest = 1;
    for (const GridCell& cell : map.cells)
        if (cell.record >= 0) longest = std::max(longest, cellValue(cell, unit).size());
    // The longest value fills at most four fifths of a cell.
    const double size = std::min(side * 0.26, side * 0.8 / (0.58 * static_cast<double>(longest)));
    if (size < look.smallestText) return c;
    c.value = size;
    if (size * 0.72 >= look.smallestText * 0.75) c.number = size * 0.72;
    return c;
}

void addCell(Drawing& d, const GridCell& cell, const QRectF& box, const CellLook& c,
             SurveyUnit unit, const GridMapLook& look) {
    const Rgb fill = cell.record < 0 ? kEmptyFill : cell.colour;
    d.rects.push_back({box, fill, kGridLineColour, look.gridLine});
    if (cell.record < 0 || c.value == 0) return;
    const double side = c.side;
    const Rgb ink = textColourOn(fill);
    d.texts.push_back({QRectF(box.left(), box.top() + side * 0.3, side, side * 0.4),
                       cellValue(cell, unit), c.value, false, ink, TextAlign::Centre, false});
    if (c.number > 0) {
        // Inside where the minimum's outline would be, in every cell alike.
        const double inset = c.outline + side * 0.03;
        d.texts.push_back({QRectF(box.left() + inset, box.top() + inset, side - 2 * inset,
                                  c.number * kLineHeight),
                           QString::number(cell.record + 1), c.number, false, ink, TextAlign::Left,
                           false});
    }
    if (cell.isMinimum)
        d.texts.push_back({QRectF(box.left(), box.top() + side * 0.68, side, side * 0.24),
                           QStringLiteral("min"), c.value * 0.8, true, ink, TextAlign::Centre,
                           false});
}

// "No. 13 35.00 Lux (REL)", held together by no-break spaces.
QString readingEntry(const CDTDoc& doc, int record, const QString& reason = {}) {
    const auto r = static_cast<size_t>(record);
    QStringList words{QStringLiteral("No."), QString::number(record + 1),
                      listValueText(doc.m_memValues[r], doc.m_memUnitFC[r], doc.m_memFlagB[r]),
                      doc.m_memUnitFC[r] ? QStringLiteral("FC") : QStringLiteral("Lux")};
    if (!reason.isEmpty()) words << QLatin1Char('(') + reason + QLatin1Char(')');
    return words.join(QChar(0x00A0));
}

// "Beyond the grid: No. 13 212.00 Lux, No. 14 230.00 Lux", the first few of them.
QString readingsLine(const QString& heading, const std::vector<int>& records,
                     const std::function<QString(int)>& entry) {
    QStringList listed;
    for (size_t i = 0; i < records.size() && i < kListed; ++i) listed << entry(records[i]);
    QString text = heading + QStringLiteral(": ") + listed.join(QStringLiteral(", "));
    if (records.size() > kListed)
        text += QStringLiteral(" and %1 more").arg(records.size() - kListed);
    return text;
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
    if (!map.beyond.empty())
        lines << readingsLine(QStringLiteral("Beyond the grid"), map.beyond,
                              [&](int k) { return readingEntry(doc, k); });
    if (!map.leftOut.empty())
        lines << readingsLine(QStringLiteral("Left out of the figures"), map.leftOut, [&](int k) {
            return readingEntry(doc, k, surveyUseName(surveyUseOf(doc, k)));
        });
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
    const double keyH = map.requirement ? t * kLineHeight : 0;
    const double legendH =
        (summary.hasFigures() ? t * 1.2 + t * kLineHeight : t * kLineHeight) + keyH;
    // The notes are as wide as the legend, which is at least this wide.
    const double narrowest = std::min(area.width(), 18 * t);
    double notesH = 0;
    auto sideWithNotes = [&](double notesW) {
        notesH = notes.isEmpty() ? 0 : estimatedLines(notes, t, notesW) * t * kLineHeight;
        const double mapH = area.height() - gap - legendH - (notes.isEmpty() ? 0 : gap + notesH);
        return std::max(
            0.0, std::min({area.width() / shape.columns, mapH / shape.rows, look.largestCell}));
    };
    double notesW = narrowest;
    double side = sideWithNotes(notesW);
    // The notes are as wide as the map when it is wider, and so need fewer lines: the cells
    // may grow into the room that leaves.
    for (int i = 0; i < 4; ++i) {
        const double wider = std::min(area.width(), side * shape.columns);
        if (wider <= notesW) break;
        const double grown = sideWithNotes(wider);
        if (std::min(area.width(), grown * shape.columns) < wider) {
            sideWithNotes(notesW);  // the notes would not get that width after all
            break;
        }
        notesW = wider;
        side = grown;
    }
    const double mapW = side * shape.columns;
    const double left = area.left() + (area.width() - mapW) / 2;
    const SurveyUnit unit = preferredSurveyUnit(summary);

    const CellLook cells = cellLook(map, side, unit, look);

    Drawing& d = pic.drawing;
    std::vector<DrawRect> outlines;
    for (int r = 0; r < shape.rows; ++r)
        for (int c = 0; c < shape.columns; ++c) {
            const QRectF box(left + c * side, area.top() + r * side, side, side);
            pic.cellBoxes.push_back(box);
            const GridCell& cell = map.at(c, r);
            addCell(d, cell, box, cells, unit, look);
            if (cell.isMinimum) {
                // Drawn after every cell, so that no neighbour's line covers it.
                const double w = cells.outline;
                outlines.push_back(
                    {box.adjusted(w / 2, w / 2, -w / 2, -w / 2), std::nullopt, kMinimumOutline, w});
            }
        }
    d.rects.insert(d.rects.end(), outlines.begin(), outlines.end());
    // The outer half of the minimum's band, over it: a minimum below Ēm shows both.
    const double band = cells.outline / 2;
    auto belowEdge = [&](const QRectF& box) {
        const QRectF edge = box.adjusted(band / 2, band / 2, -band / 2, -band / 2);
        d.rects.push_back({edge, std::nullopt, kBelowBand, band});
        d.rects.push_back(
            {edge, std::nullopt, kBelowDashes, band, std::max(band * 2, box.width() * 0.08)});
    };
    for (size_t i = 0; i < map.cells.size(); ++i)
        if (map.cells[i].belowRequired) belowEdge(pic.cellBoxes[i]);

    double y = area.top() + shape.rows * side + gap;
    const double legendW = std::max(narrowest, std::min(area.width(), mapW));
    const double legendLeft = area.left() + (area.width() - legendW) / 2;
    if (summary.hasFigures()) {
        pic.legendBar = QRectF(legendLeft, y, legendW, t * 1.2);
        // Each step runs on to the bar's end under the steps after it: two steps that only
        // touched would let the paper show through their shared edge wherever a viewer
        // smooths it.
        const double slice = legendW / kLegendSlices;
        for (int i = 0; i < kLegendSlices; ++i)
            d.rects.push_back({QRectF(legendLeft + i * slice, y, legendW - i * slice, t * 1.2),
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
    if (map.requirement) {
        const SurveyRequirement& r = *map.requirement;
        pic.belowKey = QRectF(legendLeft, y + (t * kLineHeight - t * 0.9) / 2, t * 0.9, t * 0.9);
        // The sample edged as a cell is, at the cell's own band.
        const double w = std::min(band, t * 0.2);
        const QRectF edge = pic.belowKey.adjusted(w / 2, w / 2, -w / 2, -w / 2);
        d.rects.push_back({pic.belowKey, kEmptyFill, kGridLineColour, look.gridLine});
        d.rects.push_back({edge, std::nullopt, kBelowBand, w});
        d.rects.push_back({edge, std::nullopt, kBelowDashes, w, std::max(w * 2, t * 0.2)});
        const QString what =
            map.belowRequired == 1 ? QStringLiteral("%1 point") : QStringLiteral("%1 points");
        d.texts.push_back(
            {QRectF(legendLeft + t * 1.4, y, legendW - t * 1.4, t * kLineHeight),
             QStringLiteral("Below \u0112m %1 lx: ").arg(emText(r)) + what.arg(map.belowRequired),
             t, false, Rgb{0, 0, 0}, TextAlign::Left, false});
        y += keyH;
    }
    if (!notes.isEmpty())
        d.texts.push_back({QRectF(legendLeft, y + gap, legendW, notesH), notes, t, false,
                           Rgb{0, 0, 0}, TextAlign::Left, true});
    return pic;
}

}  // namespace km905
